#pragma once
// The archive row of the location table: listing, walking and leaving an archive, its title
// and its names on the clipboard. Copying, moving and deleting are not offered yet.
#include "fileops/location_ops.h"

namespace nrv {

const LocationOps& ArchiveLocationOps();

// Enter inside an archive: a folder goes down, ".." up or out of the archive. A file is left
// to the caller (kEnteredFile), which opens an extracted copy. The totals follow the new list.
int EnterArchiveItem(Panel& panel, ItemList& list);

// The visible list again for archiveFolder, the cursor kept on its name when it is still there.
int ListArchive(Panel& panel, ItemList& list);

// Sort mode inside an archive: Unsorted is the archive's own order, listed again.
int SetArchiveSortMode(Panel& panel, ItemList& list, int32_t mode);

// After any move of the panel: the items of an archive it no longer shows are freed.
void ForgetLeftArchive(Panel& panel);

}  // namespace nrv
