#pragma once
// What the three shared dialogs keep between calls. One of each can be open at a time; the
// archive callbacks read the password after its dialog has gone.
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

struct DialogStore {
  NativeWindow owner = nullptr;  // the window the open prompt is centred on
  int32_t result = kDialogNone;
  Text entered;  // the text read on OK, at most kDialogTextLength characters
  Text caption;
  Text prompt;
  Text start;
  int32_t historyList = 0;
  Text password;  // the last password entered, empty after Cancel
  Panel* searchPanel = nullptr;
  ItemList* searchList = nullptr;
  NativeWindow searchWindow = nullptr;
  QuickSearchRedraw redraw = nullptr;
  Text typed;  // the quick-search text before the latest key
};

inline DialogStore& TheDialogStore() {
  static DialogStore store;
  return store;
}

}  // namespace nrv
