#pragma once
// Drawing a panel: title, page of cells, status area and the cursor item.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Everything, off-screen first and copied once.
void RepaintPanel(Panel& panel, ItemList& list);
// The page of cells, the status lines and the cursor item, without the title.
void DrawItems(ItemList& list, Panel& panel);
void DrawTitle(Panel& panel);
// The second status line and the panel's copy of the cursor item for the main status bar.
void ShowCurrentItem(const PanelItem& item, Panel& panel);

// The shell icon of an item, loaded when missing; icons far from the page are released.
void LoadItemIcon(ItemList& list, Panel& panel, int index);

}  // namespace nrv
