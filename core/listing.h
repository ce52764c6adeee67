#pragma once
// Reading a local folder into a panel's list, and the totals shown in its status lines.
#include "core/item_list.h"
#include "core/panel.h"
#include <atomic>

#include "platform/files.h"
#include "platform/worker.h"

namespace nrv {

// Lists the panel's folder (watching it is the panel layer's part). 0; -1 when the folder cannot be made current; -2 when it cannot be listed (list unchanged).
int ReadFolder(Panel& panel, ItemList& list);

// The items of the folder the pattern names ("*.*" in the current folder, or a full path's),
// sorted by sortMode, into items: the loop behind ReadFolder and the panels' reading workers.
// Counts what it has read into count; with stop asked it ends early and returns kListingStopped.
// expected: about how many entries there will be (a re-read's), 0 when unknown.
// -2 when the folder cannot be listed (the thread's last error says why; items untouched).
inline constexpr int kListingStopped = 1;
int ListFolderItems(TextView pattern, int32_t sortMode, ItemList& items, const StopFlag* stop,
                    std::atomic<int32_t>* count, size_t expected = 0);

PanelItem* MakeItemFromFindData(const platform::FindData& data);
// Attributes, times and size of data into item (its name stays).
void TakeFindData(PanelItem& item, const platform::FindData& data);
void MakeUpEntry(Panel& panel, ItemList& list);

// Whether the totals line shows the free space: not for FTP, not when switched off, and on a
// network drive only when switched on for network drives too.
bool ShowsFreeSpace(const Panel& panel);

// total + size held at the limits of a signed 64-bit count: a server's sizes can add up to
// more, and a total is never to wrap round into nonsense.
int64_t AddSize(int64_t total, int64_t size);

// The totals of the list, and its selection counts afresh: called after every change of the list.
void ComputeTotals(const ItemList& list, Panel& panel);
void RecountSelection(const ItemList& list, Panel& panel);

// Makes the panel's path the process's current directory; reports and returns -1 on failure.
int SetCurrentFolder(const Panel& panel);

}  // namespace nrv
