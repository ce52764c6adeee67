#pragma once
// The drawing steps that take the context they draw into (the window's or an off-screen one).
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Into an off-screen context that is copied to the window afterwards.
void DrawItemsInto(HDC dc, ItemList& list, Panel& panel);
// Straight into dc at the cell's place, clipped to it; dc's colours and clipping stay as they were.
void DrawCell(HDC dc, ItemList& list, Panel& panel, int32_t pageCell, int index);
void DrawTitleInto(HDC dc, Panel& panel);
void ShowCurrentItemInto(HDC dc, const PanelItem& item, Panel& panel);
// Sets the text and background colours of an item (or of an empty cell for index < 0).
void ItemColours(HDC dc, const ItemList& list, const Panel& panel, int index);

// Client size of the panel window.
SIZE PanelClientSize(const Panel& panel);
// Whether the status area is drawn at this client width.
bool StatusAreaShown(const Panel& panel, int32_t clientWidth);

}  // namespace nrv
