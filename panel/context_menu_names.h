#pragma once
// Which items the shell context menu of a panel is for.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// The names of all items selected or under the cursor, in list order; the up entry is never
// among them. The cursor item joins a selection of several (selected 1) and is left unselected
// when it is the only one; the selection counters follow.
std::vector<Text> CollectContextMenuNames(Panel& panel, ItemList& list);

}  // namespace nrv
