#include "core/folder_sizes.h"

#include <vector>

#include "platform/errors.h"
#include "platform/files.h"

namespace nrv {

FolderSize MeasureFolder(TextView folder, const std::atomic<bool>& stop) {
  FolderSize size;
  std::vector<Text> pending{Text(folder)};
  if (!pending.back().empty() && pending.back().back() != u'\\') pending.back() += u'\\';
  platform::FindData entry;
  bool top = true;
  // Depth first with a stack of its own: a deep tree must not exhaust the worker's stack.
  while (!pending.empty()) {
    const Text current = std::move(pending.back());
    pending.pop_back();
    platform::FindHandle handle;
    const bool listed = platform::FindFirst(current + u"*", handle, entry);
    if (!listed && platform::LastError() != platform::kErrorFileNotFound) {
      ++size.unreadable;
      size.opened = size.opened && !top;
    }
    top = false;
    if (!listed) continue;
    do {
      if (stop.load(std::memory_order_relaxed)) {
        size.stopped = true;
        return size;
      }
      if (IsDotName(entry.name)) continue;
      if ((entry.attributes & platform::kAttributeDirectory) == 0) {
        size.bytes += static_cast<int64_t>((uint64_t{entry.sizeHigh} << 32) | entry.sizeLow);
        ++size.files;
        continue;
      }
      ++size.folders;
      if ((entry.attributes & platform::kAttributeReparsePoint) == 0) pending.push_back(current + entry.name + u'\\');
    } while (platform::FindNext(handle, entry));
  }
  return size;
}

bool HasFolderSize(const PanelItem& item) { return IsFolder(item) && !IsUpEntry(item) && item.size >= 0; }

void SetFolderSize(Panel& panel, PanelItem& item, int64_t bytes) {
  const int64_t before = HasFolderSize(item) ? item.size : 0;
  item.size = bytes;
  panel.totalBytes += bytes - before;
  if (item.selected) panel.selectedBytes += bytes - before;
}

}  // namespace nrv
