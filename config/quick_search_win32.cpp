#include "config/quick_search_win32.h"

#include <windows.h>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"
#include "core/selection.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

WNDPROC editProcedure = nullptr;  // the edit's own procedure behind the key filter

void OnSearchKeyDown(HWND edit) { TheDialogStore().typed = ReadControlText(edit); }

// Whether the edit may take the character.
bool OnSearchCharacter(char16_t character) {
  DialogStore& store = TheDialogStore();
  if (!store.searchPanel || !store.searchList) return true;
  const Text prefix = store.typed + character;
  if (JumpToPrefix(*store.searchPanel, *store.searchList, prefix) < 0) return false;
  if (store.redraw) store.redraw(*store.searchList, *store.searchPanel);
  return true;
}

LRESULT CALLBACK QuickSearchKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: OnSearchKeyDown(edit); break;
    case WM_CHAR:
      if (wParam >= 32 && !OnSearchCharacter(static_cast<char16_t>(wParam))) return 0;
      break;
    default: break;
  }
  return ::CallWindowProcW(editProcedure, edit, message, wParam, lParam);
}

BOOL OnSearchInit(HWND dialog) {
  const DialogStore& store = TheDialogStore();
  const HWND edit = ::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT);
  editProcedure = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuickSearchKeyFilter)));
  ::SetWindowTextW(edit, platform::Wide(store.start));
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 1, 1);
  PlaceOverLowerEdge(dialog, static_cast<HWND>(store.searchWindow));
  return FALSE;  // the focus is set
}

void OnSearchDestroy(HWND dialog) {
  if (!editProcedure) return;
  ::SetWindowLongPtrW(::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(editProcedure));
  editProcedure = nullptr;
}

INT_PTR CALLBACK QuickSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnSearchInit(dialog);
    case WM_COMMAND: return OnOkOrCancel(dialog, LOWORD(wParam), 0);
    case WM_CLOSE: EndSharedDialog(dialog, kDialogCancel, 0); return TRUE;
    case WM_DESTROY: OnSearchDestroy(dialog); return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int QuickSearch(TextView start, Panel& panel, ItemList& list, QuickSearchRedraw redraw) {
  DialogStore& store = TheDialogStore();
  store.result = kDialogNone;
  store.start = Text(start);
  store.searchPanel = &panel;
  store.searchList = &list;
  store.searchWindow = panel.window;
  store.redraw = redraw;
  store.typed.clear();
  ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_QUICK_SEARCH),
                    static_cast<HWND>(panel.window), QuickSearchProc, 0);
  store.searchPanel = nullptr;
  store.searchList = nullptr;
  store.searchWindow = nullptr;
  store.redraw = nullptr;
  return store.result;
}

}  // namespace nrv
