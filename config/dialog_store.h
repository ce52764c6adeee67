#pragma once
// What one open shared dialog works with: made by the call that opens it, handed to the dialog
// with its creation parameter and kept on the dialog (DWLP_USER) while it is open.
#include <cstddef>
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace nrv {

enum DialogResult : int32_t { kDialogNone = 0, kDialogOk = 1, kDialogCancel = 2 };

// Texts are read back from the dialogs into 260-character buffers.
inline constexpr size_t kDialogTextLength = 259;

// Draws a panel's page after the quick search has moved its cursor (the panel painter's
// DrawItems fits).
using QuickSearchRedraw = void (*)(ItemList& list, Panel& panel);

struct DialogCall {
  NativeWindow owner = nullptr;  // the window the dialog is centred on or placed over
  int32_t result = kDialogNone;
  Text entered;  // the text read on OK, at most kDialogTextLength characters
  Text caption;
  Text prompt;
  Text start;
  int32_t historyList = 0;
  Panel* searchPanel = nullptr;
  ItemList* searchList = nullptr;
  QuickSearchRedraw redraw = nullptr;
  Text typed;  // the quick-search text before the latest key
  void* editProcedure = nullptr;  // the quick-search edit's own procedure behind its key filter
};

}  // namespace nrv
