#include "find/find_targets.h"

#include "archive/archive_navigation.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "core/sorting.h"
#include "panel/navigation.h"

namespace nrv {
namespace {

void FillWithResults(const SearchResults& results, ItemList& list) {
  ClearItems(list);
  list.items.reserve(results.items.size());
  for (int i = 0; i < Count(results); ++i) Append(list, ResultToItem(results, i));
}

}  // namespace

int GoToFound(Panel& panel, ItemList& list, TextView path) {
  const ParentPath parts = SplitParent(path);
  // Read on a worker or at once, the cursor goes to the found item when its folder's list is in.
  return SetPath(panel, list, parts.parent, parts.leftName) != 0 ? -1 : 0;
}

int ResultsToTemporaryPanel(const SearchResults& results, int selected, Panel& target, ItemList& list,
                            const Panel& other) {
  if (KindOf(target) == LocationKind::Temporary) {
    FillWithResults(results, list);
    if (IsEmpty(list)) MakeUpEntry(target, list);
    ResetView(target);
    ComputeTotals(list, target);
    if (target.sortMode != kSortUnsorted) SortItems(list, target);
  } else {
    FillWithResults(results, TemporaryStoreOf(target));
    if (const int opened = OpenTemporaryPanel(target, list, other); opened != 0) return opened;
  }
  if (selected >= 0 && selected < Count(results)) PlaceCursor(target, IndexOfName(list, ResultPath(results, selected)));
  return 0;
}

}  // namespace nrv
