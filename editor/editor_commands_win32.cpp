#include <windows.h>

#include <richedit.h>

#include "editor/editor_document_win32.h"
#include "editor/editor_keys.h"

namespace nrv {

namespace {

enum EditorCommand : uint32_t {
  kSave = 8001,
  kSaveAs = 8002,
  kCopy = 8003,
  kPaste = 8004,
  kCut = 8005,
  kDelete = 8006,
  kUndo = 8007,
  kRedo = 8008,
  kSelectAll = 8009,
  kGoTo = 8010,
  kFindReplace = 8011,
  kPasteUnicode = 8013,
};

constexpr UINT_PTR kStatusTimer = 0x4E56;
constexpr UINT kStatusQuiet = 200;  // ms without a key or paint before a large file's status row

// Wine's control finds a line or a position by walking its text from the start: at the end of
// a large file the status row's figures take longer than the key itself, so there they wait
// until the keys and paints stop.
void StatusAfterInput(HWND control) {
  if (TheEditorDocument().sizeAtLoad < kLineCountSizeLimit)
    UpdateStatus();
  else
    ::SetTimer(control, kStatusTimer, kStatusQuiet, nullptr);
}

bool Held(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

void PastePlain(HWND control, UINT format) { ::SendMessageW(control, EM_PASTESPECIAL, format, 0); }

HMENU BuildPopup() {
  struct Row {
    const wchar_t* text;
    uint32_t id;
  };
  static const Row rows[] = {
      {L"Save\tF2", kSave},           {L"Save as...\tShift+F2", kSaveAs}, {nullptr, 0},
      {L"Undo\tCtrl+Z", kUndo},       {L"Redo\tCtrl+Y", kRedo},           {L"Select all\tCtrl+A", kSelectAll},
      {nullptr, 0},                   {L"Copy\tCtrl+C", kCopy},           {L"Paste\tCtrl+V", kPaste},
      {L"Paste as unicode", kPasteUnicode}, {L"Cut\tCtrl+X", kCut},      {L"Delete\tDel", kDelete},
      {nullptr, 0},                   {L"Find/Replace\tCtrl+F", kFindReplace}, {nullptr, 0},
      {L"Go to...\tCtrl+G", kGoTo},
  };
  HMENU menu = ::CreatePopupMenu();
  for (const Row& row : rows) {
    if (row.text)
      ::AppendMenuW(menu, MF_STRING, row.id, row.text);
    else
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  return menu;
}

void Enable(HMENU menu, uint32_t id, bool enabled) {
  ::EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// True when the editor takes the key itself.
bool OnKeyDown(HWND control, WPARAM key) {
  switch (EditorKeyAction(static_cast<uint32_t>(key), Held(VK_CONTROL), Held(VK_SHIFT), Held(VK_MENU))) {
    case EditorKey::None: return false;
    case EditorKey::Close:
      if (!*TheEditorDocument().host.searchDialog) ConfirmClose();
      return true;
    case EditorKey::PastePlain: PastePlain(control, CF_TEXT); return true;
    case EditorKey::Copy: ::SendMessageW(control, WM_COPY, 0, 0); return true;
    case EditorKey::SelectAll: SelectAll(); return true;
    case EditorKey::FindReplace: OpenFindReplace(); return true;
    case EditorKey::GoToLine: GoToLine(); return true;
    case EditorKey::Save: Save(false); return true;
    case EditorKey::SaveAs: Save(true); return true;
  }
  return false;
}

}  // namespace

void SelectAll() { ::SendMessageW(TheEditorDocument().control, EM_SETSEL, 0, -1); }

void ShowEditorMenu() {
  EditorDocument& doc = TheEditorDocument();
  if (!doc.popup) doc.popup = BuildPopup();
  HWND control = doc.control;
  CHARRANGE selection{};
  ::SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const bool canPaste = ::SendMessageW(control, EM_CANPASTE, CF_TEXT, 0) != 0;
  const bool selected = selection.cpMax > selection.cpMin;
  Enable(doc.popup, kPaste, canPaste);
  Enable(doc.popup, kPasteUnicode, canPaste);
  Enable(doc.popup, kUndo, ::SendMessageW(control, EM_CANUNDO, 0, 0) != 0);
  Enable(doc.popup, kRedo, ::SendMessageW(control, EM_CANREDO, 0, 0) != 0);
  Enable(doc.popup, kCopy, selected);
  Enable(doc.popup, kCut, selected);
  Enable(doc.popup, kDelete, selected);
  POINT at{};
  ::GetCursorPos(&at);
  ::TrackPopupMenu(doc.popup, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, doc.host.frame, nullptr);
}

bool RunEditorCommand(uint32_t id) {
  EditorDocument& doc = TheEditorDocument();
  if (!doc.editorActive || !doc.control || id < kSave || id > kPasteUnicode) return false;
  HWND control = doc.control;
  switch (id) {
    case kSave: Save(false); break;
    case kSaveAs: Save(true); break;
    case kCopy: ::SendMessageW(control, WM_COPY, 0, 0); break;
    case kPaste: PastePlain(control, CF_TEXT); break;
    case kPasteUnicode: PastePlain(control, CF_UNICODETEXT); break;
    case kCut: ::SendMessageW(control, WM_CUT, 0, 0); break;
    case kDelete: ::SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"")); break;
    case kUndo: ::SendMessageW(control, EM_UNDO, 0, 0); break;
    case kRedo: ::SendMessageW(control, EM_REDO, 0, 0); break;
    case kSelectAll: SelectAll(); break;
    case kFindReplace: OpenFindReplace(); break;
    case kGoTo: GoToLine(); break;
    default: return false;
  }
  UpdateStatus();
  return true;
}

LRESULT CALLBACK EditorControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = TheEditorDocument().previousProcedure;
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
      if (TheEditorDocument().streaming) return 0;
      if (message == WM_KEYDOWN && OnKeyDown(control, wParam)) return 0;
      break;
    case WM_RBUTTONDOWN:
      ShowEditorMenu();
      return 0;
    default: break;
  }
  if (message == WM_TIMER && wParam == kStatusTimer) {
    ::KillTimer(control, kStatusTimer);
    UpdateStatus();
    return 0;
  }
  const LRESULT result = ::CallWindowProcW(previous, control, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_PAINT:
    case WM_ACTIVATE: StatusAfterInput(control); break;
    default: break;
  }
  return result;
}

}  // namespace nrv
