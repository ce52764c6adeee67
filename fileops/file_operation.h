#pragma once
// Copy, move and delete of panel items. The decisions (what, where to, what to ask, the
// temporary panel) are made here; the shell call runs on a worker thread that the Win32 side
// starts through FileOperationHooks::startWorker.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace nrv {

// The shell's own operation codes.
inline constexpr uint32_t kOperationMove = 1;
inline constexpr uint32_t kOperationCopy = 2;
inline constexpr uint32_t kOperationDelete = 3;

// Shell operation flags: folders are made without asking; undo means the recycle bin.
inline constexpr uint16_t kFlagNoConfirmMakeFolder = 0x0200;
inline constexpr uint16_t kFlagAllowUndo = 0x0040;

// What a worker gets: absolute paths built on the user-interface thread and the flags the
// settings gave then, so that nothing it does depends on the process's current folder or on
// what the user interface changes later. Lists are NUL-separated and closed by a second NUL.
struct FileOperationJob {
  uint32_t operation = 0;
  Text sources;
  Text destination;
  uint16_t flags = 0;
};

// The job for names relative to folder (absolute names stay as they are); destination is made
// absolute the same way.
FileOperationJob MakeFileOperationJob(uint32_t operation, TextView folder, TextView nameList,
                                      TextView destination, uint16_t flags);

// Names given ready-made (a drop), closed by a second NUL.
struct ReadyList {
  Text names;
  uint32_t length = 0;
  int count = 0;
};

// The names a panel operates on: the selected items, or the cursor item when none is.
struct SourceNames {
  Text list;  // each name NUL-terminated, then a closing NUL; empty when nothing was taken
  uint32_t length = 0;
  int count = 0;
  Text firstName;
  bool cursorOnly = false;    // taken from the cursor because nothing was selected
  bool cursorIsFile = false;  // ... and that item is a file
};
SourceNames CollectSourceNames(const Panel& panel, const ItemList& list);
// The items a command or a drag takes: the selected ones in list order, or the cursor item
// when none is; "." and ".." never.
std::vector<const PanelItem*> ChosenItems(const Panel& panel, const ItemList& list);

// Folder text with exactly one closing backslash.
Text WithClosingBackslash(TextView folder);

uint16_t OperationFlags(bool allowRecycle, bool deleteToRecycleSetting);

// What the destination prompt shows; the answer replaces proposal.
struct DestinationQuestion {
  Text caption;  // "Copy" or "Rename/Move"
  Text text;     // "Copy a.txt to:" or "Copy 3 items to:"
  int historyList = 0;
  Text proposal;
};
DestinationQuestion MakeDestinationQuestion(uint32_t operation, const SourceNames& names,
                                            TextView proposal);

// True when the user accepted; answer holds the edited destination.
using DestinationPrompt = bool (*)(const DestinationQuestion& question, Text& answer);
// Starts the worker for a job; 0, or -1 when it could not start (reported).
using WorkerStarter = std::function<int(FileOperationJob job)>;
// The transfer between an FTP panel and a local one.
using FtpTransfer = int (*)(TextView destination, Panel& panel, ItemList& list, Panel& other,
                            uint32_t operation);
// Extraction out of an archive panel (the copy command there).
using ArchiveExtraction = int (*)(Panel& panel, ItemList& list, Panel& other);

struct FileOperationHooks {
  DestinationPrompt prompt = nullptr;
  WorkerStarter startWorker = nullptr;
  FtpTransfer ftpTransfer = nullptr;          // none yet: FTP panels copy nothing
  ArchiveExtraction extractArchive = nullptr;  // none yet: copy in an archive panel does nothing
};

struct FileOperationArgs {
  Text destinationFolder;  // the other panel's folder
  const ReadyList* ready = nullptr;
  uint32_t operation = kOperationCopy;
  bool allowRecycle = true;
};

// What the caller redraws afterwards.
struct FileOperationResult {
  int status = -1;  // 0 started (or the temporary panel took the items), -1 nothing started
  bool panelChanged = false;  // items were taken off the (temporary) panel itself
  bool otherChanged = false;  // the other (temporary) panel got new items
};

// The one entry for copy, move and delete. panel holds the items; other is the panel on the
// other side. Asks through hooks.prompt for copy and move without a ready-made list.
FileOperationResult FileOperation(const FileOperationArgs& args, Panel& panel, ItemList& list,
                                  Panel& other, ItemList& otherList, const FileOperationHooks& hooks);

// The panel commands (F5, F6, F8/Delete, Shift+F8/Shift+Delete). Each adds the panel's folder
// to the recent locations first and does nothing on an empty list.
FileOperationResult CopyCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                const FileOperationHooks& hooks);
FileOperationResult MoveCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                const FileOperationHooks& hooks);
// toRecycleBin false is the permanent form. In the temporary panel the recycle form takes the
// items off the list only (status 0, the panel itself changed).
FileOperationResult DeleteCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                  bool toRecycleBin, const FileOperationHooks& hooks);

// Rows for the named files (full paths as they are now on disk) added to the temporary panel.
int CopyIntoTemporary(TextView sourceList, Panel& temporary, ItemList& temporaryList);

}  // namespace nrv
