#pragma once
// Re-reading panels: the work behind UpdateFileLists and Reload panel. Drawing is the caller's.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

enum class PanelUpdate {
  Failed,     // reported; the list is as it was
  Unchanged,  // an archive panel: nothing re-read
  Updated,    // re-read or re-sorted: redraw the panel
};

// While a read of the panel is in flight nothing is read: one more read follows it.
// Local folder: "%s is not available" when the folder has gone, then the listing and totals; the
// cursor keeps its index (clamped to the new list), not its item. Temporary panel: re-sorted.
PanelUpdate UpdatePanel(Panel& panel, ItemList& list);

// The change watcher's re-read: a local folder is read on a worker and swapped in when complete
// (Unchanged until then); every other location as UpdatePanel.
PanelUpdate UpdatePanelInBackground(Panel& panel, ItemList& list);

struct BothPanelsUpdate {
  PanelUpdate left = PanelUpdate::Unchanged;
  PanelUpdate right = PanelUpdate::Unchanged;
};
// Left first, then right. The caller gives the keyboard back to the active panel.
BothPanelsUpdate UpdateBothPanels(Panel& left, ItemList& leftList, Panel& right, ItemList& rightList);

}  // namespace nrv
