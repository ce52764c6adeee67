#pragma once
// What a panel can do where it is: one row of operations for each LocationKind. Local folders
// and the temporary panel have their rows here; the archive and FTP subsystems give theirs, and
// the application puts the four rows into its LocationTable. Commands reach a location only
// through its row.
#include "core/item_list.h"
#include "core/panel.h"
#include "fileops/file_operation.h"
#include "panel/update_panel.h"

namespace nrv {

struct LocationOps {
  int (*list)(Panel& panel, ItemList& list) = nullptr;  // read again (and watch, when local)
  int (*enterItem)(Panel& panel, ItemList& list) = nullptr;  // 0, kEnteredFile or -1
  int (*goUp)(Panel& panel, ItemList& list) = nullptr;
  PanelUpdate (*refresh)(Panel& panel, ItemList& list) = nullptr;  // UpdateFileLists, Reload
  Text (*title)(const Panel& panel) = nullptr;  // the panel's title line
  Text (*clipboardPath)(const Panel& panel, const PanelItem& item, bool fullPath) = nullptr;
  // From this panel to the other; into this panel from the other; delete; make folder.
  FileOperationResult (*copyOut)(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                 const FileOperationHooks& hooks) = nullptr;
  FileOperationResult (*moveOut)(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                 const FileOperationHooks& hooks) = nullptr;
  int (*copyIn)(TextView sourceList, Panel& panel, ItemList& list) = nullptr;
  FileOperationResult (*remove)(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                bool toRecycleBin, const FileOperationHooks& hooks) = nullptr;
  int (*makeFolder)(const Panel& panel, TextView typed) = nullptr;
};

const LocationOps& LocalFolderOps();
const LocationOps& TemporaryPanelOps();
// A row for a kind whose subsystem is not there: every operation does nothing.
const LocationOps& NoLocationOps();

struct LocationTable {
  const LocationOps* temporary = &TemporaryPanelOps();
  const LocationOps* archive = &NoLocationOps();
  const LocationOps* ftp = &NoLocationOps();
  const LocationOps* local = &LocalFolderOps();
};

const LocationOps& OpsOf(const LocationTable& table, const Panel& panel);

}  // namespace nrv
