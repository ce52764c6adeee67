#include "core/item_list.h"

#include "core/panel.h"

namespace nrv {

ItemList::~ItemList() { ClearItems(*this); }

ItemList::ItemList(ItemList&& other) noexcept : items(std::move(other.items)) {
  other.items.clear();
}

ItemList& ItemList::operator=(ItemList&& other) noexcept {
  if (this != &other) {
    ClearItems(*this);
    items = std::move(other.items);
    other.items.clear();
  }
  return *this;
}

void Append(ItemList& list, PanelItem* item) { list.items.push_back(item); }

void ClearItems(ItemList& list) {
  for (PanelItem* item : list.items) FreeItem(item);
  list.items.clear();
}

void ClearItems(ItemList& list, Panel& panel) {
  ClearItems(list);
  ++panel.listing;  // every re-read and every move passes here
  panel.itemCount = 0;
  panel.selectedFiles = 0;
  panel.selectedFolders = 0;
  panel.selectedBytes = 0;
}

void CopyItems(const ItemList& source, ItemList& destination, bool clearFirst) {
  if (clearFirst) ClearItems(destination);
  destination.items.reserve(destination.items.size() + source.items.size());
  for (const PanelItem* item : source.items) Append(destination, CloneItem(*item));
}

}  // namespace nrv
