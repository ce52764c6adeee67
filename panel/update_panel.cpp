#include "panel/update_panel.h"

#include <atomic>

#include "core/listing.h"
#include "core/sorting.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "shell/error_report.h"

namespace nrv {
namespace {

std::atomic<FtpRelist> gFtpRelist{nullptr};

void ClampCursor(Panel& panel, const ItemList& list) {
  if (panel.cursor >= Count(list)) panel.cursor = Count(list) - 1;
  if (panel.cursor < 0) panel.cursor = 0;
}

}  // namespace

void SetFtpRelist(FtpRelist relist) { gFtpRelist = relist; }

PanelUpdate UpdatePanel(Panel& panel, ItemList& list) {
  switch (KindOf(panel)) {
    case LocationKind::Ftp: {
      panel.ftpTargetDir = u".";
      const FtpRelist relist = gFtpRelist.load();
      if (!relist) return PanelUpdate::Unchanged;
      if (relist(panel, list) != 0) return PanelUpdate::Failed;
      ComputeTotals(list, panel);
      return PanelUpdate::Updated;
    }
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
  if (panel.archiveOpen) return PanelUpdate::Unchanged;
  const int32_t cursor = panel.cursor;
  if (ReadFolder(panel, list) != 0) return PanelUpdate::Failed;
  ComputeTotals(list, panel);
  panel.cursor = cursor;
  ClampCursor(panel, list);
  return PanelUpdate::Updated;
}

BothPanelsUpdate UpdateBothPanels(Panel& left, ItemList& leftList, Panel& right, ItemList& rightList) {
  BothPanelsUpdate result;
  result.left = UpdatePanel(left, leftList);
  result.right = UpdatePanel(right, rightList);
  return result;
}

}  // namespace nrv
