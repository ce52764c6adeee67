#pragma once
// What the pointer does over the toolbar: highlight on hover, a button's action on click.
#include <windows.h>

#include "core/panel.h"

namespace nrv {

// Mouse move in the main window's client area (not while the viewer or editor is open).
void OnToolbarHover(int x, int y);
// Left button down in the main window's client area.
void OnToolbarClick(int x, int y);

// "back": the parent folder, as Backspace. "cmd": a console in the panel's folder.
void ToolbarGoToParent(Panel& panel);
void ToolbarCommandConsole(Panel& panel);

// Actions of buttons whose commands are not there yet; each does nothing until its command is
// connected.
void ToolbarLocationMenu(Panel& panel, POINT screen);
void ToolbarSelectGroup(Panel& panel);
void ToolbarFindFiles(Panel& panel);
void ToolbarMakeFolder(Panel& panel);
void ToolbarPack(Panel& panel);
void ToolbarCopy(Panel& source, Panel& target);
void ToolbarMove(Panel& source, Panel& target);
void ToolbarDeleteToRecycleBin(Panel& panel);

}  // namespace nrv
