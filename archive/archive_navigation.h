#pragma once
// Walking the folders inside an archive and leaving it. The caller draws the panel.
#include "archive/archive_item_list.h"

namespace nrv {

// Goes into the folder name below archiveFolder and rebuilds; the cursor on "..".
int EnterArchiveFolder(Panel& panel, ItemList& visible, TextView name);

// ".." inside the archive: one level up, the cursor on the folder just left.
int LeaveArchiveFolder(Panel& panel, ItemList& visible);

// ".." at the root: frees the panel's archive list, leaves archive mode and reads the folder
// that holds the archive with the cursor on the archive file. ReadFolder's result.
int LeaveArchive(Panel& panel, ItemList& visible);

// The whole ".." of an archive panel: one of the two above.
int ArchiveUp(Panel& panel, ItemList& visible);

// Index of the item named name (A to Z folded), or -1.
int IndexOfName(const ItemList& list, TextView name);

// Cursor, top row and selection counts to 0, as after entering.
void ResetArchiveView(Panel& panel);

// Puts the cursor on index (0 when -1), scrolling when the page size is known.
void PlaceCursor(Panel& panel, int index);

}  // namespace nrv
