#pragma once
// Keys that reach a panel window: the key table of the panels.
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

void OnPanelKeyDown(Panel& panel, ItemList& list, uintptr_t key);
// Typed characters start the quick search.
void OnPanelCharacter(Panel& panel, ItemList& list, uintptr_t character);

}  // namespace nrv
