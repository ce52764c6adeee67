#include "archive/add_command_win32.h"

#include <string>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_job_win32.h"
#include "archive/dir_items_win32.h"
#include "archive/extract_selection.h"
#include "archive/pack_names.h"
#include "archive/update_callback_win32.h"
#include "config/dialog_store.h"
#include "config/history.h"
#include "config/prompt_dialog_win32.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "core/panel_item.h"
#include "core/paths.h"
#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// What the worker gets: its own copies, absolute paths.
struct AddRequest {
  Text sourceFolder;
  Text archivePath;
  bool replacing = false;  // written under a temporary name, renamed over the old one at the end
  std::vector<ExtractEntry> entries;
};

bool Exists(const Text& path) { return ::GetFileAttributesW(platform::Wide(path)) != INVALID_FILE_ATTRIBUTES; }

Text UnusedTemporaryPath(const Text& archivePath) {
  int attempt = 1;
  while (Exists(TemporaryArchivePath(archivePath, attempt))) ++attempt;
  return TemporaryArchivePath(archivePath, attempt);
}

// The new archive where it belongs; false after logging why it cannot be.
bool PutInPlace(ArchiveJob& job, const AddRequest& request, const Text& written) {
  if (!request.replacing) return true;
  ::SetFileAttributesW(platform::Wide(request.archivePath), FILE_ATTRIBUTE_NORMAL);
  if (::MoveFileExW(platform::Wide(written), platform::Wide(request.archivePath), MOVEFILE_REPLACE_EXISTING))
    return true;
  LogArchiveError(job, u"Cannot delete file " + request.archivePath, static_cast<int32_t>(::GetLastError()));
  return false;
}

// UpdateItems with everything released before the archive file is judged; true when the
// archive is complete.
bool WriteArchive(ArchiveJob& job, const AddRequest& request, const CObjectVector<CDirItem>& items,
                  COutFileStream* stream) {
  ComPtr<IOutArchive> archive;
  if (CreateArchiveObjectQuietly(kFormat7z, IID_IOutArchive, reinterpret_cast<void**>(archive.Out())) != S_OK) {
    LogArchiveError(job, u"Cannot get class object", 0);
    return false;
  }
  auto* callback = new CArchiveUpdateCallback(job, items, request.sourceFolder);
  ComPtr<IArchiveUpdateCallback2> callbackRef(callback);
  callback->AddRef();
  callback->volumeName = request.archivePath;
  const HRESULT result = archive->UpdateItems(stream, static_cast<UINT32>(items.Size()), callback);
  callback->needBeClosed = false;
  if (result != S_OK) {
    if (result != E_ABORT) LogArchiveError(job, u"Error compression files", result);
    return false;
  }
  for (int i = 0; i < callback->FailedFiles.Size(); ++i)
    LogArchiveError(job, u"Error for file: " + callback->FailedFiles[i].Std(), 0);
  return true;
}

void RunAdd(ArchiveJob& job, const AddRequest& request) {
  if (!ArchiveLibrary() || !::GetProcAddress(ArchiveLibrary(), "CreateObject")) {
    LogArchiveError(job, u"Cannot get CreateObject", 0);
    return;
  }
  CObjectVector<CDirItem> items;
  if (ScanDirItems(job, request.sourceFolder, request.entries, items) != S_OK) return;
  const Text written = request.replacing ? UnusedTemporaryPath(request.archivePath) : request.archivePath;
  auto* stream = new COutFileStream;
  ComPtr<IOutStream> streamRef(stream);
  stream->AddRef();
  if (!stream->Create(written, OutFileCreation::NewOnly)) {
    LogArchiveError(job, u"Cannot create archive file: " + request.archivePath, static_cast<int32_t>(::GetLastError()));
    return;
  }
  bool complete = WriteArchive(job, request, items, stream);
  if (!stream->CloseFile()) {
    LogArchiveError(job, u"Error compression files", LastErrorResult());
    complete = false;
  }
  streamRef.Reset();
  // No half-written archive stays behind, and the old one goes only for a complete new one.
  if (!complete || !PutInPlace(job, request, written)) ::DeleteFileW(platform::Wide(written));
}

Text AddQuestion(const Panel& panel, TextView cursorName) {
  const int selected = panel.selectedFiles + panel.selectedFolders;
  if (selected > 0) return u"Add " + Ascii(std::to_string(selected)) + u" items to archive:";
  return u"Add " + Text(cursorName) + u" to archive:";
}

// Whether the command goes on with path, asking before an existing file is replaced. answer is
// the command's result when it does not.
bool MayWrite(const Text& path, bool& replacing, int& answer) {
  const DWORD attributes = ::GetFileAttributesW(platform::Wide(path));
  replacing = attributes != INVALID_FILE_ATTRIBUTES;
  if (!replacing) return true;
  if (platform::ShowMessage({nullptr, u"File " + path + u" already exist. Overwrite it?", {},
                             platform::MessageIcon::Question, platform::MessageButtons::YesNo}) !=
      platform::MessageAnswer::Yes) {
    answer = 0;
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    ReportError(u"Cannot delete file " + path);
    answer = -1;
    return false;
  }
  return true;
}

}  // namespace

int AddToArchiveCommand(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || KindOf(panel) != LocationKind::Local || SetCurrentFolder(panel) != 0) return -1;
  const int cursor = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  const Text cursorName(ItemName(At(list, cursor)));
  const int selected = panel.selectedFiles + panel.selectedFolders;
  if (selected == 0 && IsDotName(cursorName)) return -1;
  if (!ArchiveOperationAllowed()) return -1;
  Text answer;
  if (PromptDialog(::GetActiveWindow(), ArchiveProposal(panel.path, selected, cursorName), u"Add file(s) to archive",
                   AddQuestion(panel, cursorName), answer, kHistoryAddToArchive) != kDialogOk ||
      answer.empty())
    return -1;
  AddRequest request;
  request.sourceFolder = panel.path;
  request.archivePath = AbsolutePath(panel.path, answer);
  if (int result = 0; !MayWrite(request.archivePath, request.replacing, result)) return result;
  AddHistory(SettingsOf(panel), kHistoryAddToArchive, answer);
  request.entries = ChosenEntries(panel, list);
  if (request.entries.empty()) return -1;
  const int ran = PackEntries(request.sourceFolder, request.entries, request.archivePath, request.replacing);
  if (panel.context) PostUpdateRequest(*panel.context, 0);
  return ran;
}

int PackEntries(const Text& sourceFolder, const std::vector<ExtractEntry>& entries, const Text& archivePath,
                bool replacing) {
  if (!ArchiveOperationAllowed()) return -1;
  const AddRequest request{sourceFolder, archivePath, replacing, entries};
  ArchiveJob job;
  job.operation = u"Compressing";
  return RunArchiveJob(job, ::GetActiveWindow(), u"Add archive thread",
                       [&request](ArchiveJob& running) { RunAdd(running, request); });
}

}  // namespace nrv
