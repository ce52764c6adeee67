#pragma once
// Moving a panel from one location to another. Every move refills the list and recomputes
// the totals; the caller repaints the panel, its title and the main window's caption.
#include "core/drive_table.h"
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// EnterItem's answer for a file of a local folder: the caller opens it (it may be an archive,
// or a program to run), with the panel's folder already current.
inline constexpr int kEnteredFile = 1;

// Opens the cursor item: enters a folder or a junction, goes up on "..", leaves the temporary
// panel, or opens a file of the temporary panel. 0 on success, kEnteredFile, or -1 when nothing
// changed or a move failed (the old location is listed again).
int EnterItem(Panel& panel, ItemList& list);

// How a location opens its cursor item: EnterItem, or the location's own.
using EnterFunction = int (*)(Panel& panel, ItemList& list);

// The Enter key: refuses with "%s is not available" when the panel's folder has gone.
int EnterKey(Panel& panel, ItemList& list, EnterFunction enter = &EnterItem);

// Backspace: opens the ".." entry when the list starts with one.
int GoToParent(Panel& panel, ItemList& list);
int GoToParentWith(Panel& panel, ItemList& list, EnterFunction enter);

// The last component of a path and the path without it (a drive root keeps its backslash).
struct ParentPath {
  Text parent;
  Text leftName;
};
ParentPath SplitParent(TextView path);

int ChangeDrive(Panel& panel, ItemList& list, const Panel& other, bool reload, const DriveInfo& row);
// cursorName: the item the cursor goes to once the folder is read (else the first).
int SetPath(Panel& panel, ItemList& list, TextView path, TextView cursorName = {});
// The folder picked in "Browse for folder".
int ApplyBrowsedFolder(Panel& panel, ItemList& list, TextView folder);

int OpenTemporaryPanel(Panel& panel, ItemList& list, const Panel& other);
int LeaveTemporaryOrFtp(Panel& panel, ItemList& list);
// Takes the selected items (or the cursor item) out of the temporary panel; files stay.
void RemoveFromTemporary(Panel& panel, ItemList& list);

}  // namespace nrv
