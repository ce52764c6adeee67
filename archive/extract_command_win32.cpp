#include "archive/extract_command_win32.h"

#include <string>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_job_win32.h"
#include "archive/archive_open_win32.h"
#include "archive/extract_callback_win32.h"
#include "archive/extract_selection.h"
#include "archive/file_helpers_win32.h"
#include "archive/property_variant_win32.h"
#include "config/dialog_store.h"
#include "config/history.h"
#include "config/prompt_dialog_win32.h"
#include "core/panel_context.h"
#include "core/panel_item.h"
#include "core/paths.h"
#include "panel/update_target_win32.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// What the worker gets: its own copies, absolute paths.
struct ExtractRequest {
  Text archivePath;
  int32_t format = 0;
  Text insideFolder;
  Text destination;
  Text tempFolder;
  std::vector<ExtractEntry> entries;
};

// The open callback asks through a plain function: it finds its operation here.
thread_local ArchiveJob* passwordJob = nullptr;

bool AskOpenPassword(Text& password) { return passwordJob && AskArchivePassword(*passwordJob, password); }

Text ItemPath(IInArchive* archive, UINT32 index, PropVariantHolder& value) {
  Text path;
  archive->GetProperty(index, kpidPath, value.Out());
  if (value.value.vt == VT_BSTR && value.value.bstrVal)
    path.assign(reinterpret_cast<const char16_t*>(value.value.bstrVal), ::SysStringLen(value.value.bstrVal));
  return path;
}

void RunExtract(ArchiveJob& job, const ExtractRequest& request) {
  ComPtr<IInArchive> archive;
  if (CreateArchiveObjectQuietly(request.format, IID_IInArchive, reinterpret_cast<void**>(archive.Out())) != S_OK) {
    LogArchiveError(job, u"Cannot get CreateObject", 0);
    return;
  }
  auto* stream = new CInFileStream;
  ComPtr<IInStream> streamRef(stream);
  stream->AddRef();
  if (!stream->Open(request.archivePath)) {
    LogArchiveError(job, u"Cannot open archive file: " + request.archivePath, static_cast<int32_t>(::GetLastError()));
    return;
  }
  passwordJob = &job;
  auto* openCallback = new CArchiveOpenCallback(&AskOpenPassword);
  ComPtr<IArchiveOpenCallback> openCallbackRef(openCallback);
  openCallback->AddRef();
  const HRESULT opened = archive->Open(stream, nullptr, openCallback);
  passwordJob = nullptr;
  if (opened == E_ABORT) return;
  if (opened != S_OK) {
    LogArchiveError(job, u"Cannot open archive: " + request.archivePath, opened);
    return;
  }
  UINT32 count = 0;
  if (archive->GetNumberOfItems(&count) != S_OK) count = 0;
  std::vector<uint32_t> indices;
  PropVariantHolder value;
  const bool complete = CollectExtractIndices(request.entries, request.insideFolder, count,
                                              [&](uint32_t i) { return ItemPath(archive.Get(), i, value); }, indices);
  if (!complete) LogArchiveError(job, u"Too many files. Not all files will be extracted", 0);
  CreateFolderChain(request.destination);
  auto* callback = new CArchiveExtractCallback(job, archive.Get(), request.destination, request.insideFolder.size(),
                                               request.tempFolder);
  ComPtr<IArchiveExtractCallback> callbackRef(callback);
  callback->AddRef();
  const HRESULT result =
      archive->Extract(indices.data(), static_cast<UINT32>(indices.size()), 0, callback);
  if (result != S_OK && result != E_ABORT) LogArchiveError(job, u"Error extracting files", result);
}

// The shared part of every caller: the panel's archive, its folder and the temporary folder.
bool PrepareRequest(const Panel& panel, ExtractRequest& request) {
  if (KindOf(panel) != LocationKind::Archive || !ArchiveOperationAllowed()) return false;
  request.archivePath = panel.archiveWorkPath.empty() ? JoinPath(panel.path, panel.findName) : panel.archiveWorkPath;
  request.format = panel.archiveFormat;
  request.insideFolder = panel.archiveFolder;
  request.tempFolder = ArchiveTempFolder();
  return true;
}

// The destination panel is read again at the end, watched or not.
int RunExtractRequest(const Panel& panel, const ExtractRequest& request) {
  ArchiveJob job;
  job.operation = u"Extracting";
  const int ran = RunArchiveJob(job, ::GetActiveWindow(), u"Extract thread",
                                [&request](ArchiveJob& running) { RunExtract(running, request); });
  if (ran == 0 && panel.context) PostUpdateRequest(*panel.context, 0);
  return ran;
}

Text ExtractQuestion(const Panel& panel, const ItemList& list) {
  const int selected = panel.selectedFiles + panel.selectedFolders;
  if (selected > 0) return u"Extract " + Ascii(std::to_string(selected)) + u" items to:";
  const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  return u"Extract " + Text(ItemName(At(list, index))) + u" to:";
}

bool CopyIsThere(const Text& path) { return ::GetFileAttributesW(platform::Wide(path)) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int ExtractToFolder(Panel& panel, ItemList& list, const Panel& other) {
  ExtractRequest request;
  if (IsEmpty(list) || !PrepareRequest(panel, request)) return -1;
  request.entries = ChosenEntries(panel, list);
  if (request.entries.empty()) return -1;
  Text answer;
  if (PromptDialog(::GetActiveWindow(), other.path, u"Extract file(s)", ExtractQuestion(panel, list), answer,
                   kHistoryExtractFromArchive) != kDialogOk)
    return -1;
  AddHistory(SettingsOf(panel), kHistoryExtractFromArchive, answer);
  request.destination = AbsolutePath(panel.path, answer);
  return RunExtractRequest(panel, request);
}

int ExtractCursorFile(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || panel.cursor < 0 || panel.cursor >= Count(list)) return -1;
  const PanelItem& item = At(list, panel.cursor);
  if (IsFolder(item) || IsDotName(ItemName(item))) return -1;
  ExtractRequest request;
  if (!PrepareRequest(panel, request)) return -1;
  if (request.tempFolder.empty()) return -1;  // no private folder: no copy anywhere else
  request.entries.push_back({Text(ItemName(item)), false});
  request.destination = request.tempFolder;
  panel.archiveTempFile = request.tempFolder + request.entries.front().name;
  if (RunExtractRequest(panel, request) != 0) return -1;
  return CopyIsThere(panel.archiveTempFile) ? 0 : -1;
}

int ExtractArchiveFileToTemp(TextView archivePath, int32_t format, TextView inside, Text& extractedPath) {
  if (!ArchiveOperationAllowed()) return -1;
  const size_t slash = inside.find_last_of(u'\\');
  const size_t nameStart = slash == TextView::npos ? 0 : slash + 1;
  ExtractRequest request;
  request.archivePath = Text(archivePath);
  request.format = format;
  request.insideFolder = Text(inside.substr(0, nameStart));
  request.tempFolder = ArchiveTempFolder();
  if (request.tempFolder.empty()) return -1;  // no private folder: no copy anywhere else
  request.destination = request.tempFolder;
  request.entries.push_back({Text(inside.substr(nameStart)), false});
  extractedPath = request.tempFolder + request.entries.front().name;
  ArchiveJob job;
  job.operation = u"Extracting";
  if (RunArchiveJob(job, ::GetActiveWindow(), u"Extract thread",
                    [&request](ArchiveJob& running) { RunExtract(running, request); }) != 0)
    return -1;
  return CopyIsThere(extractedPath) ? 0 : -1;
}

int ExtractDroppedItems(Panel& archivePanel, const std::vector<Text>& namesInCurrentFolder,
                        TextView destinationFolder) {
  ExtractRequest request;
  if (namesInCurrentFolder.empty() || !PrepareRequest(archivePanel, request)) return -1;
  // A file has nothing below it, so taking each name as a folder adds nothing to a file.
  for (const Text& name : namesInCurrentFolder)
    if (!IsDotName(name)) request.entries.push_back({name, true});
  request.destination = Text(destinationFolder);
  return RunExtractRequest(archivePanel, request);
}

}  // namespace nrv
