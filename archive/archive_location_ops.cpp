#include "archive/archive_location_ops.h"

#include "archive/archive_item_list.h"
#include "archive/archive_navigation.h"
#include "core/formatting.h"
#include "core/listing.h"
#include "core/sorting.h"
#include "panel/clipboard_text.h"
#include "panel/navigation.h"

namespace nrv {
namespace {

int ArchiveParent(Panel& panel, ItemList& list) { return GoToParentWith(panel, list, &EnterArchiveItem); }

LocationOps MakeArchiveOps() {
  LocationOps ops = NoLocationOps();
  ops.list = &ListArchive;
  ops.enterItem = &EnterArchiveItem;
  ops.goUp = &ArchiveParent;
  ops.refresh = &UpdatePanel;  // the folder's check alone: the archive is not read again
  ops.title = &TitleText;
  ops.clipboardPath = &ArchiveClipboardPath;
  return ops;
}

}  // namespace

const LocationOps& ArchiveLocationOps() {
  static const LocationOps ops = MakeArchiveOps();
  return ops;
}

int EnterArchiveItem(Panel& panel, ItemList& list) {
  if (IsEmpty(list) || KindOf(panel) != LocationKind::Archive) return -1;
  const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  const PanelItem& item = At(list, index);
  if (IsUpEntry(item)) return ArchiveUp(panel, list);
  if (!IsFolder(item)) return kEnteredFile;  // opened through an extracted copy
  // The rebuild frees the item, and its name with it.
  const Text name(ItemName(item));
  return EnterArchiveFolder(panel, list, name);
}

int ListArchive(Panel& panel, ItemList& list) {
  const Text cursorName = panel.cursor >= 0 && panel.cursor < Count(list) ? Text(ItemName(At(list, panel.cursor))) : Text();
  const int32_t distance = panel.cursor - panel.top;
  if (RebuildArchiveList(panel, list) != 0) return -1;
  ComputeTotals(list, panel);
  const int index = IndexOfName(list, cursorName);
  panel.cursor = index < 0 ? 0 : index;
  panel.top = panel.cursor - distance < 0 ? 0 : panel.cursor - distance;
  PlaceCursor(panel, panel.cursor);
  return 0;
}

int SetArchiveSortMode(Panel& panel, ItemList& list, int32_t mode) {
  if (mode != kSortUnsorted) return SetSortMode(panel, list, mode);
  if (IsEmpty(list)) return -1;
  panel.sortMode = mode;
  return ListArchive(panel, list);
}

void ForgetLeftArchive(Panel& panel) {
  if (KindOf(panel) == LocationKind::Archive) return;
  if (ArchiveItemList* archive = ArchiveItemsOf(panel); archive && !archive->items.empty()) FreeArchiveItems(*archive);
}

}  // namespace nrv
