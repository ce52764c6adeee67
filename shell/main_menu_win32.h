#pragma once
// The main window's menu bar, built in code from the menu model, with owner-drawn items.
#include <windows.h>

#include <cstdint>

#include "core/settings.h"
#include "core/panel.h"

namespace nrv {

// The submenus of one panel's menu that the toolbar opens as popups.
struct PanelSubmenus {
  HMENU mode = nullptr;
  HMENU columns = nullptr;
  HMENU sort = nullptr;
};

// Menu identifiers are 16 bits in a command message, so "Editor settings" travels as this one.
inline constexpr uint32_t kEditorSettingsMenuId = 7008;
// The command a menu item's identifier stands for, and back.
uint32_t CommandOfMenuId(uint32_t menuId);
uint32_t MenuIdOfCommand(uint32_t command);

// Makes the bar and every popup (a second call replaces the first menu). Returns 0.
int BuildMainMenu();
HMENU MainMenuBar();
// side 1 left, 2 right.
PanelSubmenus SubmenusOf(int side);

// Clears every check mark, then checks each panel's view mode, sort mode, column count and
// "File panel" or "Temporary panel", and the three switches of the Options menu.
void UpdateCheckMarks(const Panel& left, const Panel& right, const Settings& settings);
// The same for the program's panels and settings.
void UpdateCheckMarks();

// The bar on the main window when PanelShowMenu is set, else none.
void AttachMenu(HWND window, bool show);
void AttachMenu();

// F9: the bar is shown and opened from the keyboard; when the menu closes it goes away again
// unless PanelShowMenu is set. Nothing while the viewer or the editor is open.
void OpenMainMenuFromKeyboard();

// Answers to the main window's owner-draw requests; false when the request is not a menu's.
bool OnMeasureMenuItem(MEASUREITEMSTRUCT& measure);
bool OnDrawMenuItem(const DRAWITEMSTRUCT& draw);
// Draws an owner-drawn menu item whose item data is its text, with the icon given (or none).
void DrawMenuItemWithIcon(const DRAWITEMSTRUCT& draw, HICON icon);

}  // namespace nrv
