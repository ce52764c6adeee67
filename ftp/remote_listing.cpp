#include "ftp/remote_listing.h"

#include "core/file_names.h"
#include "core/listing.h"
#include "core/sorting.h"
#include "platform/errors.h"

namespace nrv {

void BeginRemoteListing(Panel& panel, ItemList& list, TextView currentDir) {
  ClearItems(list, panel);
  if (currentDir.size() > 1) MakeUpEntry(panel, list);
}

bool AddRemoteEntry(ItemList& list, const platform::FindData& data, RemoteListing& listing) {
  if (IsDotName(data.name)) return true;
  if (listing.entries >= kMaxListingEntries) {
    listing.cut = ListingCut::Entries;
    return false;
  }
  // Every name refused counts too: a listing of nothing but bad names is bounded as well.
  ++listing.entries;
  if (const NameFault fault = CheckFileName(data.name); fault != NameFault::None) {
    NoteRefused(listing.refused, data.name, NameFaultText(fault));
    return true;
  }
  const uint32_t attributes = data.attributes == 0 ? data.reserved0 : data.attributes;
  if (!(attributes & platform::kAttributeDirectory) && (data.sizeHigh & 0x80000000u)) {
    NoteRefused(listing.refused, data.name, u"size is beyond any file");
    return true;
  }
  PanelItem* item = MakeItemFromFindData(data);
  if (data.attributes == 0) {
    item->attributes = data.reserved0;
    item->reparseTag = 0;
    if (item->attributes & platform::kAttributeDirectory) item->size = kFolderSize;
  } else {
    item->reparseTag = 0;  // a server has no junctions
  }
  Append(list, item);
  return true;
}

void EndRemoteListing(Panel& panel, ItemList& list) {
  if (panel.sortMode != kSortUnsorted) SortItems(list, panel);
  ComputeTotals(list, panel);
}

Text ListingReportText(const RemoteListing& listing, TextView location) {
  if (listing.refused.count == 0 && listing.cut == ListingCut::None) return {};
  Text text = u"The listing of " + Text(location);
  if (listing.refused.count > 0)
    text += u" holds entries that are not shown, so that no name from the server can lead outside a folder:\n" +
            RefusedNamesText(listing.refused);
  else
    text += u":\n";
  if (listing.cut == ListingCut::Entries) text += u"It was cut at 1 000 000 entries.\n";
  if (listing.cut == ListingCut::Text) text += u"It was cut at 256 MiB of text.\n";
  return text;
}

bool IsEmptyListingError(uint32_t error) {
  return error == platform::kErrorSuccess || error == platform::kErrorNoMoreFiles;
}

}  // namespace nrv
