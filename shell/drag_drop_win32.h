#pragma once
// Dragging files out of a panel with the OLE drag loop, the window that follows the pointer
// meanwhile, and files dropped on a panel, by another program or from the other panel.
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Posted to a panel window by its drop target once the drag loop has let go: wParam the
// CF_HDROP block (the window procedure frees it), lParam the side the drag began in, 0 for
// another program. The work runs from the main loop, not inside the drag loop.
inline constexpr UINT kFilesDroppedMessage = WM_APP + 2;

// A move with the left button down in a panel: starts the drag when the settings allow it and
// none is running, and returns when it is over.
void DragFilesOut(Panel& panel, ItemList& list);
// The left button went up: no drag runs any more.
void EndFileDrag();

// Both panel windows take OLE drops; after OLE is initialised. Each revokes its own when it
// is destroyed.
void RegisterPanelDropTargets();

// WM_DROPFILES and kFilesDroppedMessage: copies, extracts or transfers the dropped items into
// the panel of targetSide and frees list.
void OnFilesDropped(int targetSide, HGLOBAL list, int originSide);
// The side a drop seen now comes from: the running drag's, else none.
int CurrentDragOrigin();

}  // namespace nrv
