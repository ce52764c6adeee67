#include "panel/navigation.h"

#include "config/history.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "core/listing.h"
#include "core/masks.h"
#include "core/sorting.h"
#include "panel/drive_details.h"
#include "panel/panel_reader.h"
#include "panel/watcher.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/error_report.h"

namespace nrv {
namespace {

constexpr uint32_t kMountPointTag = 0xA0000003;


// Cursor, page and mouse state of a panel that starts on a new location.
void ResetForNewLocation(Panel& panel) {
  ResetView(panel);
  panel.returnTop = 0;
  panel.leftButtonDown = 0;
}

// Leaving the temporary panel any way keeps its items for the next time it is opened.
void KeepTemporaryItems(Panel& panel, ItemList& list) {
  if (KindOf(panel) == LocationKind::Temporary) CopyItems(list, TemporaryStoreOf(panel), true);
  panel.temporary = 0;
}

void ReportWithPath(TextView format_before, TextView path, TextView after) {
  ReportError(Text(format_before) + Text(path) + Text(after));
}

// Lists the panel's path again after a failed move.
void Restore(Panel& panel, ItemList& list, const Text& oldPath, const Text& oldFtpDir,
             const Text& oldTarget) {
  panel.path = oldPath;
  panel.ftpCurrentDir = oldFtpDir;
  panel.ftpTargetDir = oldTarget;
  if (ListLocalFolder(panel, list) == 0) ComputeTotals(list, panel);
}

int EnterFolder(Panel& panel, ItemList& list, const PanelItem& item) {
  const PanelLocation before = SaveLocation(panel);
  const Text oldPath = panel.path, oldFtpDir = panel.ftpCurrentDir, oldTarget = panel.ftpTargetDir;
  const int32_t oldTop = panel.top;
  Text nameToFind;
  const TextView name = ItemName(item);

  if (IsDotName(name)) {
    if (KindOf(panel) == LocationKind::Temporary) return LeaveTemporaryOrFtp(panel, list);
    const ParentPath up = SplitParent(panel.path);
    nameToFind = up.leftName;
    panel.path = up.parent;
  } else if (panel.drive.type != platform::kDriveRemote &&
             (item.attributes & platform::kAttributeReparsePoint)) {
    uint32_t tag = 0;
    Text target;
    const Text linkPath = JoinPath(panel.path, name);
    if (!platform::ReadReparseTarget(linkPath, tag, target) ||
        (tag == kMountPointTag && target.size() <= 4)) {
      if (tag == kMountPointTag && target.size() <= 4) platform::SetLastError(platform::kErrorInvalidData);
      ReportError(u"Cannot open reparse point " + Text(name));
      Restore(panel, list, oldPath, oldFtpDir, oldTarget);
      return -1;
    }
    if (tag == kMountPointTag) {
      panel.path = target.substr(4);  // without the object-namespace prefix
      panel.returnTop = 0;
    } else {
      panel.path = linkPath;
      panel.returnTop = oldTop;
    }
  } else {
    panel.path = JoinPath(panel.path, name);
    panel.returnTop = oldTop;
  }

  if (!platform::SetCurrentFolder(panel.path)) {
    // The panel is back on its folder before the message shows: activating the main window
    // again while the box is up puts the panel's path into the caption.
    const Text failed = panel.path;
    panel.path = oldPath;
    ReportWithPath(u"Cannot set current directory: \"", failed, u"\"");
    Restore(panel, list, oldPath, oldFtpDir, oldTarget);
    return -1;
  }
  if (ReadNewLocation(panel, list, before, nameToFind) != 0) {
    Restore(panel, list, oldPath, oldFtpDir, oldTarget);
    return -1;
  }
  return 0;
}

int EnterFile(Panel& panel, ItemList& list, const PanelItem& item) {
  if (SetCurrentFolder(panel) != 0) return -1;
  const Text name(ItemName(item));
  (void)list;
  if (KindOf(panel) != LocationKind::Temporary) return kEnteredFile;
  ReportExecuteResult(platform::ExecuteWithShell({}, name, {}, {}), name);
  panel.active = 1;
  return 0;
}

}  // namespace

ParentPath SplitParent(TextView path) {
  size_t last = TextView::npos;
  for (size_t i = path.size(); i-- > 0;)
    if (IsPathSeparator(path[i])) {
      last = i;
      break;
    }
  if (last == TextView::npos) return {Text(path), {}};
  ParentPath result{Text(path.substr(0, last + 1)), Text(path.substr(last + 1))};
  if (result.parent.size() > 3) result.parent.pop_back();
  return result;
}

int EnterItem(Panel& panel, ItemList& list) {
  const LocationKind kind = KindOf(panel);
  if (IsEmpty(list) || kind == LocationKind::Ftp || kind == LocationKind::Archive) return -1;
  const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
  const PanelItem& item = At(list, index);
  const bool folder = IsFolder(item) && !(kind == LocationKind::Temporary && !IsUpEntry(item));
  return folder ? EnterFolder(panel, list, item) : EnterFile(panel, list, item);
}

int EnterKey(Panel& panel, ItemList& list, EnterFunction enter) {
  if (IsEmpty(list)) return -1;
  // The temporary panel and archives too: they are opened, and left, from their folder. An FTP
  // panel's folder is on its server.
  if (KindOf(panel) != LocationKind::Ftp && !platform::IsExistingFolder(panel.path)) {
    ReportError(panel.path + u" is not available");
    return -1;
  }
  return enter(panel, list);
}

int GoToParentWith(Panel& panel, ItemList& list, EnterFunction enter) {
  if (IsEmpty(list) || !IsUpEntry(At(list, 0))) return -1;
  panel.cursor = 0;
  panel.top = 0;
  return EnterKey(panel, list, enter);
}

int GoToParent(Panel& panel, ItemList& list) { return GoToParentWith(panel, list, &EnterItem); }

int ChangeDrive(Panel& panel, ItemList& list, const Panel& other, bool reload, const DriveInfo& row) {
  const PanelLocation before = SaveLocation(panel);
  panel.ftp = 0;
  const Text oldPath = panel.path;
  panel.path = row.root;
  if (!other.path.empty() && EqualsAtoZ(RootOfPath(other.path), row.root)) panel.path = other.path;
  platform::SetWaitCursor(true);
  if (!platform::SetCurrentFolder(panel.path)) {
    panel.path = oldPath;
    platform::SetWaitCursor(false);
    ReportError(u"Change Drive");
    return -1;
  }
  panel.drive.type = row.type;
  panel.drive.totalBytes = row.totalBytes;
  panel.drive.freeBytes = row.freeBytes;
  KeepTemporaryItems(panel, list);
  if (reload) {
    ForgetArchive(panel);
    ResetForNewLocation(panel);
    ReadNewLocation(panel, list, before, {});
  }
  platform::SetWaitCursor(false);
  return 0;
}

int SetPath(Panel& panel, ItemList& list, TextView path, TextView cursorName) {
  const PanelLocation before = SaveLocation(panel);
  panel.ftp = 0;
  const Text oldPath = panel.path;
  panel.path = Text(path);
  if (!platform::SetCurrentFolder(panel.path)) {
    panel.path = oldPath;
    ReportError(u"Set Path");
    return -1;
  }
  AddHistory(SettingsOf(panel), kHistoryRecentLocations, panel.path);
  ForgetArchive(panel);
  KeepTemporaryItems(panel, list);
  ResetForNewLocation(panel);
  ReadNewLocation(panel, list, before, cursorName);
  return 0;
}

int ApplyBrowsedFolder(Panel& panel, ItemList& list, TextView folder) {
  const PanelLocation before = SaveLocation(panel);
  const Text oldPath = panel.path;
  panel.path = Text(folder);
  if (!platform::SetCurrentFolder(panel.path)) {
    panel.path = oldPath;
    ReportError(u"Change Drive\r\n");
    return -1;
  }
  KeepTemporaryItems(panel, list);
  const Text root = RootOfPath(panel.path);
  if (root == u"remote") {
    panel.drive.type = platform::kDriveRemote;
    panel.drive.totalBytes = panel.drive.freeBytes = 0;
  } else {
    DriveTable scratch;
    DriveTable& drives = panel.context ? panel.context->drives : scratch;
    if (panel.context)
      RebuildDrives(*panel.context);
    else
      BuildDriveTable(drives);
    bool found = false;
    for (const DriveInfo& row : drives.rows) {
      if (!EqualsAtoZ(row.root, root)) continue;
      panel.drive.type = row.type;
      panel.drive.totalBytes = row.totalBytes;
      panel.drive.freeBytes = row.freeBytes;
      found = true;
      break;
    }
    if (!found)
      platform::ShowMessage({nullptr, u"Error get current drive", u"Error", platform::MessageIcon::Error,
                             platform::MessageButtons::Ok});
  }
  ForgetArchive(panel);
  panel.ftp = 0;
  ResetForNewLocation(panel);
  ReadNewLocation(panel, list, before, {});
  return 0;
}

int OpenTemporaryPanel(Panel& panel, ItemList& list, const Panel& other) {
  if (KindOf(panel) == LocationKind::Archive) return -1;
  panel.ftp = 0;
  StopWatcher(panel);
  if (KindOf(other) == LocationKind::Temporary) {
    platform::ShowMessage({nullptr, u"Cannot create 2 temporary panels", u"Norvane 1.0.0",
                           platform::MessageIcon::None, platform::MessageButtons::Ok});
    return -1;
  }
  panel.temporary = 1;
  CopyItems(TemporaryStoreOf(panel), list, true);
  if (IsEmpty(list)) MakeUpEntry(panel, list);
  ResetForNewLocation(panel);
  ComputeTotals(list, panel);
  if (panel.sortMode != kSortUnsorted) SortItems(list, panel);
  return 0;
}

int LeaveTemporaryOrFtp(Panel& panel, ItemList& list) {
  if (!platform::IsExistingFolder(panel.path)) {
    ReportError(panel.path + u" is not available");
    return -1;
  }
  const PanelLocation before = SaveLocation(panel);
  panel.ftp = 0;
  panel.temporary = 0;
  CopyItems(list, TemporaryStoreOf(panel), true);
  ResetForNewLocation(panel);
  return ReadNewLocation(panel, list, before, {});
}

void RemoveFromTemporary(Panel& panel, ItemList& list) {
  if (IsEmpty(list)) return;
  bool anySelected = false;
  for (const PanelItem* item : list.items) anySelected = anySelected || item->selected;
  const int cursor = panel.cursor;
  std::vector<PanelItem*> kept;
  kept.reserve(list.items.size());
  for (int i = 0; i < Count(list); ++i) {
    PanelItem* item = list.items[static_cast<size_t>(i)];
    const bool remove = !IsUpEntry(*item) && (anySelected ? item->selected != 0 : i == cursor);
    if (remove)
      FreeItem(item);
    else
      kept.push_back(item);
  }
  list.items = std::move(kept);
  if (panel.cursor >= Count(list)) panel.cursor = Count(list) - 1;
  ComputeTotals(list, panel);
  RecountSelection(list, panel);
}

}  // namespace nrv
