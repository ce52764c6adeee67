#include "config/quick_search_win32.h"

#include <windows.h>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"
#include "core/selection.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

DialogCall& CallOfEdit(HWND edit) { return CallOf(::GetParent(edit)); }

void OnSearchKeyDown(HWND edit) { CallOfEdit(edit).typed = ReadControlText(edit); }

// Whether the edit may take the character.
bool OnSearchCharacter(HWND edit, char16_t character) {
  DialogCall& store = CallOfEdit(edit);
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
      if (wParam >= 32 && !OnSearchCharacter(edit, static_cast<char16_t>(wParam))) return 0;
      break;
    default: break;
  }
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(CallOfEdit(edit).editProcedure), edit, message, wParam, lParam);
}

BOOL OnSearchInit(HWND dialog, LPARAM creation) {
  DialogCall& store = KeepCall(dialog, creation);
  const HWND edit = ::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT);
  store.editProcedure = reinterpret_cast<void*>(
      ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuickSearchKeyFilter)));
  ::SetWindowTextW(edit, platform::Wide(store.start));
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 1, 1);
  PlaceOverLowerEdge(dialog, static_cast<HWND>(store.owner));
  return FALSE;  // the focus is set
}

void OnSearchDestroy(HWND dialog) {
  DialogCall& store = CallOf(dialog);
  if (!store.editProcedure) return;
  ::SetWindowLongPtrW(::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(store.editProcedure));
  store.editProcedure = nullptr;
}

INT_PTR CALLBACK QuickSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnSearchInit(dialog, lParam);
    case WM_COMMAND: return OnOkOrCancel(dialog, LOWORD(wParam), 0);
    case WM_CLOSE: EndSharedDialog(dialog, kDialogCancel, 0); return TRUE;
    case WM_DESTROY: OnSearchDestroy(dialog); return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int QuickSearch(NativeWindow panelWindow, TextView start, Panel& panel, ItemList& list, QuickSearchRedraw redraw) {
  DialogCall call;
  call.owner = panelWindow;
  call.start = Text(start);
  call.searchPanel = &panel;
  call.searchList = &list;
  call.redraw = redraw;
  OpenSharedDialog(IDD_QUICK_SEARCH, call, QuickSearchProc);
  return call.result;
}

}  // namespace nrv
