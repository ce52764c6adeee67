#pragma once
// The one-line prompt with a history list in its combo box (dialog 102), owned by the main
// window. The dialog only reads the history: the caller adds the answer after OK.
#include "config/dialog_store.h"
#include "platform/text.h"

namespace nrv {

// Empty caption, prompt or start text means none. The edit part shows the start text, else the
// newest entry of historyList. Returns kDialogOk with the text in out, or kDialogCancel with out
// empty (Cancel, Escape or the close box).
int PromptDialog(NativeWindow owner, TextView start, TextView caption, TextView prompt, Text& out, int historyList);

}  // namespace nrv
