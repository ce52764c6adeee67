#pragma once
// The state of one panel. The two panels live from start-up to exit; their rows are held in an
// ItemList outside this record and passed beside it.
#include <cstdint>
#include <memory>

#include "platform/handles.h"
#include "platform/worker.h"
#include "platform/text.h"

namespace nrv {

struct PanelContext;
struct PanelView;
struct ArchiveItemList;
struct FtpSession;
struct PanelReading;

enum PanelSide : int32_t { kLeftPanel = 1, kRightPanel = 2 };

enum SortMode : int32_t {
  kSortName = 1000,
  kSortExtension = 1001,
  kSortSize = 1002,
  kSortUnsorted = 1003,
  kSortAccessTime = 1004,
  kSortCreationTime = 1005,
  kSortWriteTime = 1006,
};

enum ViewMode : int32_t { kViewBrief = 1000, kViewMedium = 1001, kViewFull = 1002 };

enum class LocationKind { Temporary, Archive, Ftp, Local };

struct DriveInfo {
  uint32_t type = 0;  // 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;
  Text root;   // "C:\"
  Text label;  // " " when the volume has none or it cannot be read
  bool detailsPending = false;  // sizes and label still being read on a worker
};

struct CurrentItemInfo {
  uint32_t attributes = 0;
  int64_t size = 0;
  Text name;
  Text owner;
  Text typeName;
};

struct Panel {
  PanelContext* context = nullptr;  // the run's shared context; none outside an application
  PanelView* view = nullptr;  // what the panel draws with; none before the windows exist
  int32_t side = kLeftPanel;
  int32_t columns = 0;
  int32_t rowsPerColumn = 0;
  int32_t visibleCount = 0;
  int32_t capacity = 0;
  int32_t briefColumns = 2;
  int32_t itemCount = 0;
  int32_t cursor = 0;
  int32_t top = 0;
  int32_t returnTop = 0;
  int32_t columnWidth = 0;
  int32_t rowHeight = 0;
  int32_t titleFontHeight = 0;
  int32_t iconSize = 0;
  int32_t fontHeight = 0;
  int32_t titleHeight = 0;
  int32_t tabRowShown = 0;   // the shell's choice: two or more tabs, or always
  int32_t tabRowHeight = 0;  // above the title; 0 when the row is not shown
  bool readAtOnce = false;  // ReadAtOnce: this panel's reads do not go to a worker
  int32_t statusHeight = 0;
  int32_t columnGap = 5;
  int32_t firstColumnX = 1;
  int32_t firstRowY = 0;
  Text path;  // the local folder; a drive root keeps its final backslash
  Worker watcher;  // the change watcher of the current listing, when it is watched
  std::shared_ptr<PanelReading> reading;  // the read of its contents in flight, if any
  Text findName;
  int32_t archiveFormat = 0;
  int32_t archiveOpen = 0;
  int32_t temporary = 0;
  Text archiveFolder;  // empty at the archive's root, else ending with a backslash
  Text ftpCurrentDir;
  Text ftpTargetDir;
  Text archiveTempFile;  // the copy of an archive item last extracted to be opened
  Text archiveWorkPath;  // a gzip's or bzip2's decompressed inner archive, read instead of it
  ArchiveItemList* archiveItems = nullptr;  // every item of the archive shown; the application's
  FtpSession* ftpSession = nullptr;  // the panel's FTP connection; the application's
  DriveInfo drive;  // root and label are not copied from the drive table
  uint8_t statusHidden = 0;
  CurrentItemInfo current;
  int32_t active = 0;
  int32_t rightDragActive = 0;
  int32_t leftButtonDown = 0;
  int32_t rightDragDeselects = 1;
  int32_t rightDragAnchor = 0;
  int32_t sortMode = kSortName;
  int32_t viewMode = kViewBrief;
  int32_t selectedFiles = 0;
  int32_t selectedFolders = 0;
  int64_t selectedBytes = 0;
  int64_t totalBytes = 0;
  int64_t freeBytes = 0;
  int32_t fileCount = 0;
  int32_t folderCount = 0;
  int32_t clientWidth = 0;
  int32_t itemAreaHeight = 0;
  int32_t ftp = 0;
  // Counts the lists the panel has had: work begun on one listing knows when it is gone.
  uint32_t listing = 0;
};

LocationKind KindOf(const Panel& panel);

// ResetView: cursor, top, layout counts, drag state and selection counters to 0; the right
// drag deselects.
void ResetView(Panel& panel);

// Every way out of an archive ends here: what the panel held for that archive goes, the
// decompressed inner archive in the private folder with it, so that nothing of one archive is
// read as part of the next. The archive's item list is the application's and freed by the
// archive code.
void ForgetArchive(Panel& panel);

}  // namespace nrv
