#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include "editor/editor_document_win32.h"
#include "editor/save_plan.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

constexpr DWORD kHiddenOrReadOnly = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// "Save as...": the name for this save only; empty on cancel.
Text AskNewName(const EditorDocument& doc) {
  wchar_t name[MAX_PATH] = L"";
  ::lstrcpynW(name, platform::Wide(doc.fileName), MAX_PATH);
  wchar_t folder[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = doc.host.frame;
  dialog.lpstrFilter = L"*.*\0*.*\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrTitle = L"Save as...";
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  if (!platform::ShowSaveFileName(dialog)) return {};
  return platform::FromWide(name);
}

// Writes the control's text into the new file temporary; false (reported) on failure.
bool WriteTemporary(EditorDocument& doc, const Text& temporary, const Text& shown) {
  FileHandle file = OwnFile(::CreateFileW(platform::Wide(temporary), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    ReportError(u"Error opening file " + shown);
    return false;
  }
  if (StreamOut(doc, file.Get(), shown)) return true;
  const DWORD error = ::GetLastError();
  file.Reset();
  ::DeleteFileW(platform::Wide(temporary));
  ::SetLastError(error);
  ReportError(u"Error saving file " + shown);
  return false;
}

// The complete temporary file takes the target's place, with the target's attributes.
bool ReplaceTarget(const SavePlan& plan, const Text& target, const Text& shown) {
  if (plan.putBackAttributes && (plan.attributes & kHiddenOrReadOnly))
    ::SetFileAttributesW(platform::Wide(target), plan.attributes & ~kHiddenOrReadOnly);
  if (!::MoveFileExW(platform::Wide(plan.temporaryPath), platform::Wide(target), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(platform::Wide(plan.temporaryPath));
    if (plan.putBackAttributes) ::SetFileAttributesW(platform::Wide(target), plan.attributes);
    ::SetLastError(error);
    ReportError(u"Error saving file " + shown);
    return false;
  }
  if (plan.putBackAttributes) ::SetFileAttributesW(platform::Wide(target), plan.attributes);
  return true;
}

}  // namespace

int Save(bool asNewName) {
  EditorDocument& doc = TheEditorDocument();
  if (!doc.control) return -1;
  Text target = doc.fullPath.empty() ? doc.fileName : doc.fullPath;
  Text shown = doc.fileName;
  if (asNewName) {
    target = shown = AskNewName(doc);
    if (target.empty()) return -1;
  }
  const DWORD attributes = ::GetFileAttributesW(platform::Wide(target));
  const SavePlan plan = PlanSave(target, attributes == INVALID_FILE_ATTRIBUTES ? kNoFile : attributes,
                                 ::GetTickCount() ^ (::GetCurrentProcessId() << 16));
  if (plan.askOverwrite &&
      platform::ShowMessage({doc.host.frame, u"File " + shown + u" is a read only file. Overwrite it?",
                             u"Read only file", platform::MessageIcon::Error, platform::MessageButtons::YesNo}) !=
          platform::MessageAnswer::Yes)
    return -1;
  if (!WriteTemporary(doc, plan.temporaryPath, shown) || !ReplaceTarget(plan, target, shown)) return -1;
  ::SendMessageW(doc.control, EM_SETMODIFY, FALSE, 0);
  if (doc.loaded) UpdateStatus();
  return 0;
}

}  // namespace nrv
