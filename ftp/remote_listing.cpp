#include "ftp/remote_listing.h"

#include "core/listing.h"
#include "core/sorting.h"
#include "platform/errors.h"

namespace nrv {

void BeginRemoteListing(Panel& panel, ItemList& list, TextView currentDir) {
  ClearItems(list, panel);
  if (currentDir.size() > 1) MakeUpEntry(panel, list);
}

void AddRemoteEntry(ItemList& list, const platform::FindData& data) {
  if (IsDotName(data.name)) return;
  PanelItem* item = MakeItemFromFindData(data);
  if (data.attributes == 0) {
    item->attributes = data.reserved0;
    item->reparseTag = 0;
    if (item->attributes & platform::kAttributeDirectory) item->size = kFolderSize;
  } else {
    item->reparseTag = 0;  // a server has no junctions
  }
  Append(list, item);
}

void EndRemoteListing(Panel& panel, ItemList& list) {
  if (panel.sortMode != kSortUnsorted) SortItems(list, panel);
  ComputeTotals(list, panel);
}

bool IsEmptyListingError(uint32_t error) {
  return error == platform::kErrorSuccess || error == platform::kErrorNoMoreFiles;
}

}  // namespace nrv
