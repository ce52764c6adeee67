#include "fileops/location_ops.h"

#include "core/formatting.h"
#include "core/listing.h"
#include "core/sorting.h"
#include "fileops/make_folder.h"
#include "panel/clipboard_text.h"
#include "panel/navigation.h"
#include "panel/watcher.h"

namespace nrv {
namespace {

int ListLocal(Panel& panel, ItemList& list) {
  if (ListLocalFolder(panel, list) != 0) return -1;
  ComputeTotals(list, panel);
  return 0;
}

int ListTemporary(Panel& panel, ItemList& list) {
  if (panel.sortMode != kSortUnsorted) SortItems(list, panel);
  ComputeTotals(list, panel);
  return 0;
}

FileOperationResult NoTransfer(Panel&, ItemList&, Panel&, ItemList&, const FileOperationHooks&) { return {}; }
FileOperationResult NoRemove(Panel&, ItemList&, Panel&, ItemList&, bool, const FileOperationHooks&) { return {}; }
int NoList(Panel&, ItemList&) { return -1; }
PanelUpdate NoRefresh(Panel&, ItemList&) { return PanelUpdate::Unchanged; }
int NoCopyIn(TextView, Panel&, ItemList&) { return -1; }
int NoFolder(const Panel&, TextView) { return -1; }

LocationOps MakeLocalOps() {
  LocationOps ops;
  ops.list = &ListLocal;
  ops.enterItem = &EnterKey;
  ops.goUp = &GoToParent;
  ops.refresh = &UpdatePanel;
  ops.title = &TitleText;
  ops.clipboardPath = &LocalClipboardPath;
  ops.copyOut = &CopyCommand;
  ops.moveOut = &MoveCommand;
  ops.copyIn = &NoCopyIn;  // the shell's file operation copies into a local folder
  ops.remove = &DeleteCommand;
  ops.makeFolder = &CreateTypedFolder;
  return ops;
}

LocationOps MakeTemporaryOps() {
  LocationOps ops = MakeLocalOps();
  ops.list = &ListTemporary;
  ops.copyIn = &CopyIntoTemporary;
  ops.makeFolder = &NoFolder;
  return ops;
}

LocationOps MakeNoOps() {
  LocationOps ops;
  ops.list = ops.enterItem = ops.goUp = &NoList;
  ops.refresh = &NoRefresh;
  ops.title = &TitleText;
  ops.clipboardPath = &ArchiveClipboardPath;
  ops.copyOut = ops.moveOut = &NoTransfer;
  ops.copyIn = &NoCopyIn;
  ops.remove = &NoRemove;
  ops.makeFolder = &NoFolder;
  return ops;
}

}  // namespace

const LocationOps& LocalFolderOps() {
  static const LocationOps ops = MakeLocalOps();
  return ops;
}

const LocationOps& TemporaryPanelOps() {
  static const LocationOps ops = MakeTemporaryOps();
  return ops;
}

const LocationOps& NoLocationOps() {
  static const LocationOps ops = MakeNoOps();
  return ops;
}

const LocationOps& OpsOf(const LocationTable& table, const Panel& panel) {
  switch (KindOf(panel)) {
    case LocationKind::Temporary: return *table.temporary;
    case LocationKind::Archive: return *table.archive;
    case LocationKind::Ftp: return *table.ftp;
    case LocationKind::Local: break;
  }
  return *table.local;
}

}  // namespace nrv
