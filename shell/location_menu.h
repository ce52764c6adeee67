#pragma once
// The drop-down menu of drives and locations of a panel (Alt+F1, Alt+F2, the "path" button).
#include <cstdint>

#include "core/panel.h"
#include "platform/handles.h"

namespace nrv {

// Opens the menu at the top-left corner of the panel's client area.
void OpenLocationMenu(Panel& panel);
// Opens the menu at a point of the screen (the toolbar's "path" button).
void OpenLocationMenuAt(Panel& panel, int screenX, int screenY);
// While the menu is open: the shell icon of one of its items (drive, folder, or the generic
// icon of its other entries); false for items that are not the menu's.
bool LocationMenuIcon(uintptr_t itemId, NativeIcon& icon);
// A command the menu posted to the thread (drives 3001-3029, recent locations 3600-3699,
// special locations 3900-3921); false when it is not one of the menu's.
bool RunLocationCommand(uint32_t command);

}  // namespace nrv
