#include "archive/archive_navigation.h"

#include "core/listing.h"
#include "panel/watcher.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

int FailRebuild(Panel& panel, ItemList& visible) {
  platform::ShowMessage({nullptr, u"Error create list of archive", u"", platform::MessageIcon::None});
  LeaveArchive(panel, visible);
  return -1;
}

}  // namespace

void ResetArchiveView(Panel& panel) {
  panel.cursor = panel.top = 0;
  panel.selectedFiles = panel.selectedFolders = 0;
  panel.selectedBytes = 0;
}

int IndexOfName(const ItemList& list, TextView name) {
  for (int i = 0; i < Count(list); ++i) {
    const TextView candidate = ItemName(At(list, i));
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (size_t c = 0; same && c < name.size(); ++c) {
      char16_t a = candidate[c], b = name[c];
      if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
      if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
      same = a == b;
    }
    if (same) return i;
  }
  return -1;
}

void PlaceCursor(Panel& panel, int index) {
  panel.cursor = index < 0 ? 0 : index;
  if (panel.cursor < panel.top) panel.top = panel.cursor;
  if (panel.capacity > 0 && panel.cursor >= panel.top + panel.capacity)
    panel.top = panel.cursor - panel.capacity + 1;
}

int EnterArchiveFolder(Panel& panel, ItemList& visible, TextView name) {
  panel.archiveFolder.append(name).append(u"\\");
  if (RebuildArchiveList(panel, visible) != 0) return FailRebuild(panel, visible);
  ResetArchiveView(panel);
  ComputeTotals(visible, panel);
  return 0;
}

int LeaveArchiveFolder(Panel& panel, ItemList& visible) {
  Text& folder = panel.archiveFolder;
  if (!folder.empty()) folder.pop_back();  // the closing separator
  const size_t previous = folder.find_last_of(u"\\/");
  const Text left = folder.substr(previous == Text::npos ? 0 : previous + 1);
  folder.resize(previous == Text::npos ? 0 : previous + 1);
  if (RebuildArchiveList(panel, visible) != 0) return FailRebuild(panel, visible);
  ResetArchiveView(panel);
  ComputeTotals(visible, panel);
  PlaceCursor(panel, IndexOfName(visible, left));
  return 0;
}

int LeaveArchive(Panel& panel, ItemList& visible) {
  if (ArchiveItemList* archive = ArchiveItemsOf(panel)) FreeArchiveItems(*archive);
  ForgetArchive(panel);
  // Listed like any folder, so that it is watched again.
  const int result = ListLocalFolder(panel, visible);
  ComputeTotals(visible, panel);
  ResetArchiveView(panel);
  // The page of the folder as it was when the archive was entered.
  panel.top = panel.returnTop;
  panel.returnTop = 0;
  PlaceCursor(panel, IndexOfName(visible, panel.findName));
  return result;
}

int ArchiveUp(Panel& panel, ItemList& visible) {
  return panel.archiveFolder.empty() ? LeaveArchive(panel, visible) : LeaveArchiveFolder(panel, visible);
}

}  // namespace nrv
