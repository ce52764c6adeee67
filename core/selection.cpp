#include "core/selection.h"

#include "core/panel_context.h"
#include "core/listing.h"
#include "core/masks.h"

namespace nrv {

namespace {

void RecountWhenAtLimit(const ItemList& list, Panel& panel) {
  if (panel.selectedBytes == INT64_MAX) RecountSelection(list, panel);
}

}  // namespace

void SelectItem(Panel& panel, PanelItem& item, uint32_t value) {
  const uint32_t selected = value ? 1 : 0;
  if ((item.selected ? 1u : 0u) == selected) {
    item.selected = selected;
    return;
  }
  item.selected = selected;
  const int32_t step = selected ? 1 : -1;
  if (IsFolder(item)) {
    panel.selectedFolders += step;
    if (item.size > 0) panel.selectedBytes += step * item.size;  // measured
  } else {
    panel.selectedFiles += step;
    // A total held at the limit has lost count: one item less cannot say what is left, a
    // recount of the list can (the callers that change many items do one).
    const int64_t change = selected ? item.size : item.size > INT64_MIN ? -item.size : INT64_MAX;
    if (panel.selectedBytes != INT64_MAX) panel.selectedBytes = AddSize(panel.selectedBytes, change);
    if (panel.selectedFiles == 0) panel.selectedBytes = 0;
  }
}

void ApplyMaskSelection(Panel& panel, ItemList& list, TextView mask, bool select) {
  const bool foldersToo = !select || SettingsOf(panel).PanelSelectFolders;
  for (PanelItem* item : list.items) {
    if (IsUpEntry(*item) || (IsFolder(*item) && !foldersToo)) continue;
    if (MatchMask(ItemName(*item), mask)) SelectItem(panel, *item, select ? 1 : 0);
  }
  RecountWhenAtLimit(list, panel);
}

void InvertSelection(ItemList& list, Panel& panel) {
  for (PanelItem* item : list.items)
    if (!IsUpEntry(*item)) SelectItem(panel, *item, item->selected ? 0 : 1);
  RecountWhenAtLimit(list, panel);
}

void SetAll(ItemList& list, Panel& panel, uint32_t value) {
  for (PanelItem* item : list.items)
    if (!IsUpEntry(*item)) SelectItem(panel, *item, value);
  RecountWhenAtLimit(list, panel);
}

int JumpToPrefix(Panel& panel, const ItemList& list, TextView prefix) {
  const int index = FindByPrefix(list, prefix);
  if (index < 0) return -1;
  const int columns = panel.columns > 0 ? panel.columns : 1;
  panel.cursor = index;
  panel.top = index - (panel.visibleCount / columns) / 2;
  if (panel.itemCount - panel.top < panel.visibleCount) panel.top = panel.itemCount - panel.visibleCount;
  if (panel.top < 0) panel.top = 0;
  return index;
}

}  // namespace nrv
