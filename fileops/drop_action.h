#pragma once
// What a drop on a panel does, decided from where the drag began and what the two panels
// show; and the copy of dropped files through the file operation.
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "fileops/file_operation.h"
#include "platform/text.h"

namespace nrv {

enum class DropAction {
  None,
  Copy,            // the shell copies the dropped paths into the target's folder
  AddToTemporary,  // the temporary panel lists the dropped paths
  Extract,         // items of the archive in the other panel go to the target's folder
  Download,        // the downloaded copies of the other panel's FTP items go to the target's folder
  Upload,          // items of the local folder in the other panel go to the target's FTP folder
};

// Where the dragged items came from: no side for another program.
struct DropOrigin {
  int side = 0;
  LocationKind kind = LocationKind::Local;
};

DropAction DecideDrop(int targetSide, LocationKind targetKind, DropOrigin origin);

// The names of the dropped copies of archive items, as the extraction from the archive wants
// them: the last part of each path.
std::vector<Text> ArchiveNamesOf(const std::vector<Text>& dropped);

ReadyList ReadyListOf(const std::vector<Text>& paths);

// Copies dropped paths into target's folder without a prompt; the folder goes to the Copy
// history. Nothing else of either panel is looked at.
FileOperationResult CopyDroppedFiles(const ReadyList& dropped, Panel& target, ItemList& targetList,
                                     const FileOperationHooks& hooks);

}  // namespace nrv
