#pragma once
// A panel's owned, ordered rows. The order is the display order.
#include <vector>

#include "core/panel_item.h"

namespace nrv {

struct Panel;

struct ItemList {
  std::vector<PanelItem*> items;

  ItemList() = default;
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  ItemList(ItemList&& other) noexcept;
  ItemList& operator=(ItemList&& other) noexcept;
};

inline int Count(const ItemList& list) { return static_cast<int>(list.items.size()); }
inline bool IsEmpty(const ItemList& list) { return list.items.empty(); }
inline PanelItem& At(const ItemList& list, int index) { return *list.items[static_cast<size_t>(index)]; }

// Takes ownership of item.
void Append(ItemList& list, PanelItem* item);

// Frees every item (icons destroyed).
void ClearItems(ItemList& list);
// The listing form: afterwards the panel counts no items.
void ClearItems(ItemList& list, Panel& panel);

// Appends a copy of every item of source to destination; with clearFirst the destination is
// emptied first.
void CopyItems(const ItemList& source, ItemList& destination, bool clearFirst);

}  // namespace nrv
