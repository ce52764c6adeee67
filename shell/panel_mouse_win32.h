#pragma once
// The mouse half of a panel window: clicks, right-button runs, the wheel, the timer that
// opens the shell's context menu, and dragging files out.
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

void OnPanelLeftDown(Panel& panel, ItemList& list, int x, int y);
// On the tab row a click shows a tab (and may start dragging it), a double click closes it or,
// on the row's empty space, opens a new tab; a middle click closes a tab.
void OnPanelDoubleClick(Panel& panel, ItemList& list, int x, int y);
void OnPanelMiddleDown(Panel& panel, ItemList& list, int x, int y);
void OnPanelRightDown(Panel& panel, ItemList& list, int x, int y);
void OnPanelMouseMove(Panel& panel, ItemList& list, int x, int y);
// wheelDelta as the message carries it; only its sign counts.
void OnPanelWheel(Panel& panel, ItemList& list, int wheelDelta);

}  // namespace nrv
