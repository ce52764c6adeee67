#include "config/dialog_common_win32.h"

#include <array>

#include "platform/win32/wide.h"

namespace nrv {

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

void MoveTo(HWND window, int left, int top) {
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CentreOnWindow(HWND dialog, HWND window) {
  RECT outer{}, own{};
  if (!window || !::GetWindowRect(window, &outer) || !::GetWindowRect(dialog, &own)) return;
  MoveTo(dialog, outer.left + Width(outer) / 2 - Width(own) / 2, outer.top + Height(outer) / 2 - Height(own) / 2);
}

BOOL FocusAndCentre(HWND dialog, HWND control, HWND window) {
  ::SetFocus(control);
  CentreOnWindow(dialog, window);
  return FALSE;
}

void PlaceOverLowerEdge(HWND box, HWND panel) {
  RECT outer{}, own{};
  if (!panel || !::GetWindowRect(panel, &outer) || !::GetWindowRect(box, &own)) return;
  MoveTo(box, outer.left + Width(outer) / 2 - Width(own) / 2, outer.bottom - Height(own) + 6);
}

Text ReadControlText(HWND control) {
  std::array<wchar_t, kDialogTextLength + 1> buffer{};
  const int length = ::GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
  return platform::FromWide(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void OpenSharedDialog(int resource, DialogCall& call, DLGPROC procedure) {
  ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), static_cast<HWND>(call.owner), procedure,
                    reinterpret_cast<LPARAM>(&call));
}

DialogCall& KeepCall(HWND dialog, LPARAM creation) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, creation);
  return *reinterpret_cast<DialogCall*>(creation);
}

DialogCall& CallOf(HWND dialog) { return *reinterpret_cast<DialogCall*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

void EndSharedDialog(HWND dialog, int32_t result, int textControl) {
  DialogCall& call = CallOf(dialog);
  if (result == kDialogOk && textControl != 0) call.entered = ReadControlText(::GetDlgItem(dialog, textControl));
  call.result = result;
  ::EndDialog(dialog, result);
}

BOOL OnOkOrCancel(HWND dialog, int command, int textControl) {
  switch (command) {
    case IDOK: EndSharedDialog(dialog, kDialogOk, textControl); return TRUE;
    case IDCANCEL: EndSharedDialog(dialog, kDialogCancel, textControl); return TRUE;
    default: return FALSE;
  }
}

}  // namespace nrv
