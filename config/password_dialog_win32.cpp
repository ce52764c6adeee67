#include "config/password_dialog_win32.h"

#include <windows.h>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"

namespace nrv {

namespace {

INT_PTR CALLBACK PasswordProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return FocusAndCentre(dialog, ::GetDlgItem(dialog, IDC_PASSWORD_EDIT),
                            static_cast<HWND>(KeepCall(dialog, lParam).owner));
    case WM_COMMAND: return OnOkOrCancel(dialog, LOWORD(wParam), IDC_PASSWORD_EDIT);
    case WM_CLOSE: EndSharedDialog(dialog, kDialogCancel, IDC_PASSWORD_EDIT); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int PasswordDialog(NativeWindow owner, Text& password) {
  DialogCall call;
  call.owner = owner;
  OpenSharedDialog(IDD_PASSWORD, call, PasswordProc);
  password = call.entered;
  return call.result;
}

}  // namespace nrv
