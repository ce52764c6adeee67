#pragma once
// The seven sort orders of a panel. Comparators are strict less-than on two items and fold
// only the letters A to Z.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

bool CompareNames(const PanelItem& a, const PanelItem& b);
bool CompareExtensions(const PanelItem& a, const PanelItem& b);
bool CompareSizes(const PanelItem& a, const PanelItem& b);
bool CompareAccessTimes(const PanelItem& a, const PanelItem& b);
bool CompareCreationTimes(const PanelItem& a, const PanelItem& b);
bool CompareWriteTimes(const PanelItem& a, const PanelItem& b);

// Sorts by panel.sortMode; Unsorted re-reads a local folder in the file system's order.
// -1 for an empty list, else 0.
int SortItems(ItemList& list, Panel& panel);

// Sorts and puts the cursor back on the item it was on; the caller redraws.
void ResortKeepingCursor(Panel& panel, ItemList& list);

// The command behind the sort menu entries: -1 (mode unchanged) on an empty list. The caller
// redraws and refreshes the menu check marks.
int SetSortMode(Panel& panel, ItemList& list, int32_t mode);

}  // namespace nrv
