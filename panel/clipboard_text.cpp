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

Text LocalClipboardPath(const Panel&, const PanelItem& item, bool fullPath) {
  if (!fullPath) return Text(ItemName(item));
  Text full = platform::FullPathName(ItemName(item));
  if (full.size() > kMaxPathLength) full.resize(kMaxPathLength);
  return full;
}

Text ArchiveClipboardPath(const Panel&, const PanelItem& item, bool fullPath) {
  Text text = fullPath && IsFolder(item) ? Text(u"\\") : Text();
  return text + Text(ItemName(item));
}

Text ClipboardNamesText(const Panel& panel, const ItemList& list, bool fullPaths, ClipboardPath pathOf) {
  Text text;
  for (const PanelItem* item : ItemsForClipboard(panel, list)) {
    text += pathOf(panel, *item, fullPaths);
    text += u"\r\n";
  }
  return text;
}

}  // namespace nrv
