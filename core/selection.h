#pragma once
// Group selection on a panel's items. ".." is never touched; the caller redraws.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Sets the selection of every item matching mask to select; folders are selected only when
// the settings allow it, but always deselected.
// Selects or deselects one item and moves the panel's selection counts with it, so they never
// need a recount over the whole list.
void SelectItem(Panel& panel, PanelItem& item, uint32_t value);

void ApplyMaskSelection(Panel& panel, ItemList& list, TextView mask, bool select);
void InvertSelection(ItemList& list, Panel& panel);
void SetAll(ItemList& list, Panel& panel, uint32_t value);

// Quick search: moves the cursor to the first item starting with prefix and centres it in its
// column; -1 and no change when none does.
int JumpToPrefix(Panel& panel, const ItemList& list, TextView prefix);

}  // namespace nrv
