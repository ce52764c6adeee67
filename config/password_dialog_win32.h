#pragma once
// The archive password question (dialog 101), owned by the main window.
#include "config/dialog_store.h"
#include "platform/text.h"

namespace nrv {

// kDialogOk or kDialogCancel, kDialogNone when the dialog cannot open. password is the entered
// text, empty unless OK.
int PasswordDialog(NativeWindow owner, Text& password);

}  // namespace nrv
