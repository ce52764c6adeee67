#pragma once
// How a remote folder's listing becomes the panel's rows: the same PanelItem records as a local
// folder, so that sorting, drawing and selection need nothing of their own. A listing is a
// stranger's text: each name must be one file name, sizes real counts, and the whole bounded.
#include <cstddef>
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/refused_names.h"
#include "platform/files.h"

namespace nrv {

// Where a listing is cut short: a server cannot make the program hold more than this.
inline constexpr size_t kMaxListingEntries = 1'000'000;
inline constexpr size_t kMaxListingBytes = size_t{256} << 20;

enum class ListingCut { None, Entries, Text };

// What one listing took and what it refused, for one report at its end.
struct RemoteListing {
  size_t entries = 0;
  ListingCut cut = ListingCut::None;
  RefusedNames refused;
};

// Empties the list and puts ".." first unless currentDir is the root.
void BeginRemoteListing(Panel& panel, ItemList& list, TextView currentDir);
// Appends one listed entry; "." and ".." are skipped. An entry without attributes takes them
// from the first reserved word of its record. A name that is not one file name, or a size no
// signed 64-bit count holds, is refused and noted in listing. False once the listing holds
// kMaxListingEntries: the entry is not added and the listing is cut.
bool AddRemoteEntry(ItemList& list, const platform::FindData& data, RemoteListing& listing);
// Sorts unless the panel is unsorted; the totals follow.
void EndRemoteListing(Panel& panel, ItemList& list);

// The report for a listing that refused entries or was cut; empty when there is nothing to say.
Text ListingReportText(const RemoteListing& listing, TextView location);

// Whether a failed first find means an empty folder: no-more-files, or no error at all (the
// Internet library says nothing on an empty listing).
bool IsEmptyListingError(uint32_t error);

}  // namespace nrv
