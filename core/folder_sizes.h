#pragma once
// The size of a folder with everything below it, for the size column. Links are counted as
// the entries they are and never entered, so a junction to its own parent cannot loop.
#include <atomic>
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

struct FolderSize {
  int64_t bytes = 0;
  int64_t files = 0;
  int64_t folders = 0;      // below the measured one
  int32_t unreadable = 0;   // folders whose listing was refused or failed: skipped
  bool stopped = false;     // stop was asked for before the walk ended: bytes is partial
  bool opened = true;       // false when the folder itself could not be listed: no size
};

// folder is an absolute path, with or without its final backslash.
FolderSize MeasureFolder(TextView folder, const std::atomic<bool>& stop);

// A measured folder's size as the item's size: the size column, the totals and the selection's
// bytes take it from there; a re-read makes new items and so forgets it.
void SetFolderSize(Panel& panel, PanelItem& item, int64_t bytes);
bool HasFolderSize(const PanelItem& item);

}  // namespace nrv
