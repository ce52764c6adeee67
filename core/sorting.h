#pragma once
// The seven sort orders of a panel. Comparators are strict less-than on two items, fold only
// the letters A to Z and never allocate.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Up entry first, then folders, then files, each by name; a name that is a prefix of another
// comes first.
bool CompareNames(const PanelItem& a, const PanelItem& b);
// Folders before files; no extension before any extension; ties by name.
bool CompareExtensions(const PanelItem& a, const PanelItem& b);
// By size as signed 64-bit (up entry -2, folders -1), ties by name.
bool CompareSizes(const PanelItem& a, const PanelItem& b);
// Newest first, "." and ".." newer than anything; ties by name.
bool CompareAccessTimes(const PanelItem& a, const PanelItem& b);
bool CompareCreationTimes(const PanelItem& a, const PanelItem& b);
bool CompareWriteTimes(const PanelItem& a, const PanelItem& b);

// Sorts by panel.sortMode (unstable: equal keys may come in any order). Unsorted re-reads a
// panel that is not the temporary panel from its local folder, in the file system's order.
// -1 for an empty list, else 0.
int SortItems(ItemList& list, Panel& panel);

// Sorts and puts the cursor back on the item of the same name (A to Z folded), keeping its
// distance from the first row on screen when the list is longer than the page. The caller
// redraws.
void ResortKeepingCursor(Panel& panel, ItemList& list);

// The command behind the sort menu entries: stores the mode and re-sorts keeping the cursor.
// -1 with the mode unchanged on an empty list or for a number that is no SortMode. The caller
// redraws and refreshes the menu check marks.
int SetSortMode(Panel& panel, ItemList& list, int32_t mode);

}  // namespace nrv
