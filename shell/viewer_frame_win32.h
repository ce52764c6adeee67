#pragma once
// The viewer in place of the panels: the View command, entering and leaving, and the frame
// messages the viewer gets (scroll bars, size, erase).
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Lends the viewer the frame's windows, fonts and settings; once, after the windows exist.
void AttachViewerToFrame();

// F3 and the menu's View on the panel's cursor item.
void ViewCursorItem(Panel& panel, ItemList& list);

// Escape in the viewer: the panels come back with the cursor on the viewed file.
void LeaveViewerToPanels();

// WM_VSCROLL and WM_HSCROLL of the frame; false when not from the viewer's bars.
bool ForwardViewerScroll(UINT message, WPARAM wParam, LPARAM lParam);
// Size and erase of the frame while the viewer is open.
void RepaintViewer();

}  // namespace nrv
