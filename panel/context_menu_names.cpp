#include "panel/context_menu_names.h"

#include "core/listing.h"

namespace nrv {

std::vector<Text> CollectContextMenuNames(Panel& panel, ItemList& list) {
  std::vector<Text> names;
  if (IsEmpty(list)) return names;
  const int cursor = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  for (int i = 0; i < Count(list); ++i) {
    const PanelItem& item = At(list, i);
    if ((item.selected || i == cursor) && !IsUpEntry(item)) names.emplace_back(ItemName(item));
  }
  PanelItem& current = At(list, cursor);
  if (!IsUpEntry(current)) {
    current.selected = names.size() > 1 ? 1 : 0;
    RecountSelection(list, panel);
  }
  return names;
}

}  // namespace nrv
