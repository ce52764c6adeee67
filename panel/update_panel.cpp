#include "panel/update_panel.h"

#include "core/listing.h"
#include "core/sorting.h"
#include "panel/panel_reader.h"
#include "panel/watcher.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/error_report.h"

namespace nrv {
namespace {

void ClampCursor(Panel& panel, const ItemList& list) {
  if (panel.cursor >= Count(list)) panel.cursor = Count(list) - 1;
  if (panel.cursor < 0) panel.cursor = 0;
}

}  // namespace

PanelUpdate UpdatePanel(Panel& panel, ItemList& list) {
  // The list being read is followed by one more read: this one would be older than it.
  if (IsReading(panel)) {
    panel.reading->again = true;
    return PanelUpdate::Unchanged;
  }
  switch (KindOf(panel)) {
    case LocationKind::Ftp: return PanelUpdate::Unchanged;  // the FTP row re-reads its own
    case LocationKind::Temporary:
      if (panel.sortMode != kSortUnsorted) SortItems(list, panel);
      ComputeTotals(list, panel);
      return PanelUpdate::Updated;
    case LocationKind::Archive:
    case LocationKind::Local: break;
  }
  if (!platform::IsExistingFolder(panel.path)) {
    ReportError(panel.path + u" is not available");
    return PanelUpdate::Failed;
  }
  if (platform::CurrentFolder().empty()) {
    ReportError(u"Update filelist: Error GetCurrentDirectory()");
    return PanelUpdate::Failed;
  }
  if (KindOf(panel) == LocationKind::Archive) return PanelUpdate::Unchanged;
  const int32_t cursor = panel.cursor;
  if (ListLocalFolder(panel, list) != 0) return PanelUpdate::Failed;
  ComputeTotals(list, panel);
  panel.cursor = cursor;
  ClampCursor(panel, list);
  return PanelUpdate::Updated;
}

PanelUpdate UpdatePanelInBackground(Panel& panel, ItemList& list) {
  if (KindOf(panel) != LocationKind::Local || !ReadsInBackground(panel)) return UpdatePanel(panel, list);
  if (!IsReading(panel) && !platform::IsExistingFolder(panel.path)) {
    ReportError(panel.path + u" is not available");
    return PanelUpdate::Failed;
  }
  RereadInBackground(panel);
  return PanelUpdate::Unchanged;
}

BothPanelsUpdate UpdateBothPanels(Panel& left, ItemList& leftList, Panel& right, ItemList& rightList) {
  BothPanelsUpdate result;
  result.left = UpdatePanel(left, leftList);
  result.right = UpdatePanel(right, rightList);
  return result;
}

}  // namespace nrv
