#pragma once
// The mouse half of a panel window: clicks, right-button runs, the wheel, the timer that
// opens the shell's context menu, and dragging files out.
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

void OnPanelLeftDown(Panel& panel, ItemList& list, int x, int y);
void OnPanelDoubleClick(Panel& panel, ItemList& list);
void OnPanelRightDown(Panel& panel, ItemList& list, int x, int y);
void OnPanelMouseMove(Panel& panel, ItemList& list, int x, int y);
// wheelDelta as the message carries it; only its sign counts.
void OnPanelWheel(Panel& panel, ItemList& list, int wheelDelta);

}  // namespace nrv
