#pragma once
// How a remote folder's listing becomes the panel's rows: the same PanelItem records as a local
// folder, so that sorting, drawing and selection need nothing of their own.
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/files.h"

namespace nrv {

// Empties the list and puts ".." first unless currentDir is the root.
void BeginRemoteListing(Panel& panel, ItemList& list, TextView currentDir);
// Appends one listed entry; "." and ".." are skipped. An entry without attributes takes them
// from the first reserved word of its record.
void AddRemoteEntry(ItemList& list, const platform::FindData& data);
// Sorts unless the panel is unsorted; the totals follow.
void EndRemoteListing(Panel& panel, ItemList& list);

// Whether a failed first find means an empty folder: no-more-files, or no error at all (the
// Internet library says nothing on an empty listing).
bool IsEmptyListingError(uint32_t error);

}  // namespace nrv
