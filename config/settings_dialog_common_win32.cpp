#include "config/settings_dialog_common_win32.h"

namespace nrv {

namespace {

// left = owner's left + (owner's width - dialog's width) / 2, top likewise.
void CentreOver(HWND dialog, HWND owner) {
  RECT outer{}, own{};
  if (!owner || !::GetWindowRect(owner, &outer) || !::GetWindowRect(dialog, &own)) return;
  const int left = outer.left + ((outer.right - outer.left) - (own.right - own.left)) / 2;
  const int top = outer.top + ((outer.bottom - outer.top) - (own.bottom - own.top)) / 2;
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int OpenSettingsDialog(int resource, NativeWindow owner, DLGPROC procedure, void* state) {
  return static_cast<int>(::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                            static_cast<HWND>(owner), procedure, reinterpret_cast<LPARAM>(state)));
}

void KeepSettingsState(HWND dialog, LPARAM creation, NativeWindow owner) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, creation);
  CentreOver(dialog, static_cast<HWND>(owner));
}

bool IsChecked(HWND dialog, int box) { return ::IsDlgButtonChecked(dialog, box) == BST_CHECKED; }

void SetChecked(HWND dialog, int box, bool checked) {
  ::CheckDlgButton(dialog, box, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace nrv
