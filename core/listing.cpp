#include "core/listing.h"

#include "core/drive_table.h"
#include "core/panel_context.h"
#include "core/sorting.h"
#include "platform/system.h"
#include "platform/error_report.h"

namespace nrv {
namespace {

struct WaitCursor {
  WaitCursor() { platform::SetWaitCursor(true); }
  ~WaitCursor() { platform::SetWaitCursor(false); }
};

}  // namespace

bool ShowsFreeSpace(const Panel& panel) {
  const Settings& settings = SettingsOf(panel);
  return KindOf(panel) != LocationKind::Ftp && settings.PanelShowFreeSize &&
         (settings.PanelShowFreeSizeNetwork || panel.drive.type != platform::kDriveRemote);
}

int SetCurrentFolder(const Panel& panel) {
  if (platform::SetCurrentFolder(panel.path)) return 0;
  ReportError(u"Error set current directory: \"" + panel.path + u"\"");
  return -1;
}

PanelItem* MakeItemFromFindData(const platform::FindData& data) {
  PanelItem* item = NewItem(data.name);
  TakeFindData(*item, data);
  return item;
}

void TakeFindData(PanelItem& item, const platform::FindData& data) {
  item.attributes = data.attributes;
  item.reparseTag = data.reserved0;
  item.creationTime = data.creationTime;
  item.accessTime = data.accessTime;
  item.writeTime = data.writeTime;
  if (IsDotName(data.name))
    item.size = kUpEntrySize;
  else if (data.attributes & platform::kAttributeDirectory)
    item.size = kFolderSize;
  else
    item.size = static_cast<int64_t>((uint64_t{data.sizeHigh} << 32) | data.sizeLow);
}

int ListFolderItems(TextView pattern, int32_t sortMode, ItemList& items, const StopFlag* stop,
                    std::atomic<int32_t>* count, size_t expected) {
  platform::FindHandle find;
  platform::FindData data;
  if (!platform::FindFirst(pattern, find, data)) return -2;
  ItemList read;
  // Room for a little growth at once: doubling from small would leave up to twice the list's
  // pointers in transient copies while the shown list is still held.
  if (expected > 0) read.items.reserve(expected + expected / 16 + 16);
  if (data.name != u".") Append(read, MakeItemFromFindData(data));
  // Any failure to read on ends the listing like its end does; what was read is shown.
  while (platform::FindNext(find, data)) {
    if (stop && stop->requested.load(std::memory_order_relaxed)) return kListingStopped;
    Append(read, MakeItemFromFindData(data));
    if (count) count->store(Count(read), std::memory_order_relaxed);
  }
  find.Close();
  if (sortMode != kSortUnsorted) {
    Panel sorting;
    sorting.sortMode = sortMode;
    SortItems(read, sorting);
  }
  items = std::move(read);
  return 0;
}

int ReadFolder(Panel& panel, ItemList& list) {
  WaitCursor waiting;
  if (SetCurrentFolder(panel) != 0) return -1;
  ItemList read;
  if (ListFolderItems(u"*.*", panel.sortMode, read, nullptr, nullptr) != 0) {
    ReportError(u"Error find first file in \"" + panel.path + u"\"");
    return -2;
  }
  ClearItems(list, panel);
  list = std::move(read);
  return 0;
}

void MakeUpEntry(Panel& panel, ItemList& list) {
  (void)panel;
  PanelItem* up = NewItem(u"..");
  up->attributes = platform::kAttributeDirectory;
  up->size = kUpEntrySize;
  // The small folder icon is given by the drawing code, which owns the shell icon calls.
  Append(list, up);
}

int64_t AddSize(int64_t total, int64_t size) {
  if (size > 0 && total > INT64_MAX - size) return INT64_MAX;
  if (size < 0 && total < INT64_MIN - size) return INT64_MIN;
  return total + size;
}

void ComputeTotals(const ItemList& list, Panel& panel) {
  panel.totalBytes = 0;
  panel.fileCount = 0;
  panel.folderCount = 0;
  for (const PanelItem* item : list.items) {
    if (!IsFolder(*item)) {
      panel.totalBytes = AddSize(panel.totalBytes, item->size);
      ++panel.fileCount;
    } else if (!IsUpEntry(*item)) {
      ++panel.folderCount;
      if (item->size > 0) panel.totalBytes += item->size;  // measured
    }
  }
  // Every change of the list ends here; from then on the counts follow each selection change.
  RecountSelection(list, panel);
  if (!ShowsFreeSpace(panel)) {
    panel.freeBytes = -1;
    return;
  }
  // Never asked on the window's thread: the drive worker's figure, taken when it came in.
  if (SlowToQuery(panel.drive.type)) {
    panel.freeBytes = static_cast<int64_t>(panel.drive.freeBytes);
    return;
  }
  platform::FreeSpace space;
  panel.freeBytes =
      platform::QueryFreeSpace(RootOfPath(panel.path), space)
          ? static_cast<int64_t>(uint64_t{space.sectorsPerCluster} * space.bytesPerSector *
                                 space.freeClusters)
          : 0;
}

void RecountSelection(const ItemList& list, Panel& panel) {
  panel.selectedFiles = 0;
  panel.selectedFolders = 0;
  panel.selectedBytes = 0;
  for (const PanelItem* item : list.items) {
    if (!item->selected) continue;
    if (IsFolder(*item)) {
      ++panel.selectedFolders;
      if (item->size > 0) panel.selectedBytes += item->size;  // measured
    } else {
      ++panel.selectedFiles;
      panel.selectedBytes = AddSize(panel.selectedBytes, item->size);
    }
  }
}

}  // namespace nrv
