#pragma once
// The shell's folder picker behind the location menu's "Browse..." entry.
#include <windows.h>

#include <optional>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

// The file-system folder picked in the shell's picker (titled "Browse for folder", edit box,
// no root), or nothing on Cancel. Needs OLE initialised on the calling thread.
std::optional<Text> PickFolder(HWND owner);

// Picks a folder over the main window and moves the panel there; -1 on Cancel or when the folder
// cannot be entered. The caller repaints.
int BrowseForFolder(Panel& panel, ItemList& list);

}  // namespace nrv
