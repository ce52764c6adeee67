#pragma once
// The archive password question (dialog 101), owned by the main window.
#include "config/dialog_store.h"

namespace nrv {

// kDialogOk or kDialogCancel, kDialogNone when the dialog cannot open. The entered text, empty
// unless OK, replaces TheDialogStore().password.
int PasswordDialog(NativeWindow owner);

}  // namespace nrv
