#include "panel/clipboard_text.h"

#include "platform/shell.h"

namespace nrv {

std::vector<const PanelItem*> ItemsForClipboard(const Panel& panel, const ItemList& list) {
  std::vector<const PanelItem*> items;
  if (IsEmpty(list)) return items;
  if (panel.selectedFiles + panel.selectedFolders == 0) {
    const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
    if (!IsDotName(ItemName(At(list, index)))) items.push_back(&At(list, index));
    return items;
  }
  for (const PanelItem* item : list.items)
    if (item->selected && !IsDotName(ItemName(*item))) items.push_back(item);
  return items;
}

Text ClipboardNamesText(const Panel& panel, const ItemList& list, bool fullPaths) {
  Text text;
  for (const PanelItem* item : ItemsForClipboard(panel, list)) {
    const TextView name = ItemName(*item);
    if (!fullPaths) {
      text += name;
    } else if (panel.archiveOpen) {
      if (IsFolder(*item)) text += u'\\';
      text += name;
    } else {
      Text full = platform::FullPathName(name);
      if (full.size() > kMaxPathLength) full.resize(kMaxPathLength);
      text += full;
    }
    text += u"\r\n";
  }
  return text;
}

}  // namespace nrv
