#pragma once
// How keys, the wheel and the mouse move a panel's cursor and top, and how items get
// selected on the way. Each movement returns -1 and does nothing on an empty list; after a
// movement the fields are normalised, and the caller redraws the cursor area.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

int CursorDown(Panel& panel, ItemList& list);
int CursorUp(Panel& panel, ItemList& list);
int ColumnForward(Panel& panel, ItemList& list);
int ColumnBack(Panel& panel, ItemList& list);
int CursorHome(Panel& panel, ItemList& list);
int CursorEnd(Panel& panel, ItemList& list);
int PageDown(Panel& panel, ItemList& list);
int PageUp(Panel& panel, ItemList& list);
int ToggleAndDown(Panel& panel, ItemList& list);

// One step per wheel message, whatever its distance.
int WheelStep(Panel& panel, ItemList& list, bool towardsUser, bool scrollColumns);

// The item under a point of the panel's client area becomes the cursor; returns it (0 and no
// change on an empty list).
int HitTest(Panel& panel, const ItemList& list, int x, int y);

// Insert, the right button and the wheel: ".." never gets selected; with the right button held
// the item takes the drag-select state, else its selection flips.
void SetItemSelection(Panel& panel, PanelItem& item);

// Right button pressed at a point: cursor moves there, its selection flips and dragging will
// repeat what the press did.
int RightPress(Panel& panel, ItemList& list, int x, int y);
// Pointer moved to a point with the right button held: the run from the anchor takes the
// drag-select state.
int RightDrag(Panel& panel, ItemList& list, int x, int y);

// Clamps cursor and top after a movement.
void NormaliseCursor(Panel& panel, int count);

}  // namespace nrv
