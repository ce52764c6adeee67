#pragma once
// Where the results go: the panel moved to one found file, or all of them as the temporary
// panel. The caller draws the panel.
#include "core/item_list.h"
#include "core/panel.h"
#include "find/search_results.h"

namespace nrv {

// The panel in the folder of path with the cursor on the entry of its name (kept inside the
// list). SetPath's result.
int GoToFound(Panel& panel, ItemList& list, TextView path);

// The panel that receives the results: the active one when it is the temporary panel already,
// else the other.
inline bool ResultsGoToActive(const Panel& active) { return KindOf(active) == LocationKind::Temporary; }

// Replaces the temporary items of target with every result and makes it the temporary panel,
// with the cursor on the row of the selected result's path. other is the panel beside it.
// OpenTemporaryPanel's result when target was not the temporary panel yet.
int ResultsToTemporaryPanel(const SearchResults& results, int selected, Panel& target, ItemList& list,
                            const Panel& other);

}  // namespace nrv
