#pragma once
// F4: the external editor or the internal one in place of the panels, and back.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// The Edit command on the panel's cursor item. 0, or -1 when nothing was opened.
int EditCursorItem(Panel& panel, ItemList& list);

}  // namespace nrv
