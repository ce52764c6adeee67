#include "shell/toolbar_clicks_win32.h"

#include "core/settings.h"
#include "fileops/run_file.h"
#include "shell/location_menu.h"
#include "panel/navigation.h"
#include "panel/panel_paint.h"
#include "shell/activation.h"
#include "shell/main_menu_win32.h"
#include "shell/panel_commands_win32.h"
#include "shell/application.h"
#include "shell/toolbar.h"
#include "shell/toolbar_model.h"

namespace nrv {
namespace {

bool PanelsHidden() {
  const ShellState& state = TheShellState();
  return state.viewerOpen || state.editorOpen;
}

// The button's lower left corner on the screen.
POINT BelowButton(const ToolbarButton& button) {
  POINT corner{button.x, kToolbarHeight};
  ::ClientToScreen(TheShellWindows().main, &corner);
  return corner;
}

// The choice comes back to the main window like any menu command.
void PopUpSubmenu(HMENU submenu, const ToolbarButton& button) {
  HWND main = TheShellWindows().main;
  if (!submenu || !main) return;
  const POINT corner = BelowButton(button);
  const BOOL chosen = ::TrackPopupMenu(submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                       corner.x, corner.y, 0, main, nullptr);
  if (chosen > 0) ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
}

void RunAction(const ToolbarButton& button, Panel& panel) {
  Panel& other = OtherPanel(panel);
  switch (button.action) {
    case ToolbarAction::Parent: ToolbarGoToParent(panel); break;
    case ToolbarAction::LocationMenu:
      if (!PanelsHidden()) ToolbarLocationMenu(panel, BelowButton(button));
      break;
    case ToolbarAction::ModeMenu: PopUpSubmenu(SubmenusOf(panel.side).mode, button); break;
    case ToolbarAction::SortMenu: PopUpSubmenu(SubmenusOf(panel.side).sort, button); break;
    case ToolbarAction::SelectGroup: ToolbarSelectGroup(panel); break;
    case ToolbarAction::Console: ToolbarCommandConsole(panel); break;
    case ToolbarAction::FindFiles: ToolbarFindFiles(panel); break;
    case ToolbarAction::MakeFolder: ToolbarMakeFolder(panel); break;
    case ToolbarAction::Pack: ToolbarPack(panel); break;
    case ToolbarAction::Copy: ToolbarCopy(panel, other); break;
    case ToolbarAction::Move: ToolbarMove(panel, other); break;
    case ToolbarAction::Delete: ToolbarDeleteToRecycleBin(panel); break;
  }
}

}  // namespace

void OnToolbarHover(int x, int y) {
  if (PanelsHidden() || !TheSettings().PanelShowToolbar) return;
  const int button = ToolbarButtonAt(x, y);
  if (button < 0) return;  // the last highlight stays
  TheShellState().highlightedTool = button;
  DrawToolbar();
}

void OnToolbarClick(int x, int y) {
  Panel* active = ActivePanel();
  if (!active) return;
  const int button = ToolbarButtonAt(x, y);
  if (button < 0) return;
  RunAction(ToolbarButtons()[static_cast<size_t>(button)], *active);
}

// As Backspace. A failed move lists the old folder again, so the panel is redrawn either way.
void ToolbarGoToParent(Panel& panel) {
  ItemList& list = ItemsOf(panel.side);
  GoToParent(panel, list);
  RepaintPanel(panel, list);
  DrawTitle(panel);
  ShowActivePathInTitle();
}

void ToolbarCommandConsole(Panel& panel) { OpenConsole(panel.path); }

void ToolbarLocationMenu(Panel& panel, POINT screen) { OpenLocationMenuAt(panel, screen.x, screen.y); }
void ToolbarSelectGroup(Panel& panel) { RunPanelAction(panel, ItemsOf(panel.side), PanelKey::SelectGroup); }
void ToolbarMakeFolder(Panel& panel) { RunPanelAction(panel, ItemsOf(panel.side), PanelKey::MakeFolder); }
// Copy and move always go to the other panel's folder.
void ToolbarCopy(Panel& source, Panel&) { RunPanelAction(source, ItemsOf(source.side), PanelKey::Copy); }
void ToolbarMove(Panel& source, Panel&) { RunPanelAction(source, ItemsOf(source.side), PanelKey::Move); }
void ToolbarDeleteToRecycleBin(Panel& panel) {
  RunPanelAction(panel, ItemsOf(panel.side), PanelKey::DeleteToRecycleBin);
}
void ToolbarFindFiles(Panel& panel) { RunPanelAction(panel, ItemsOf(panel.side), PanelKey::FindFiles); }
void ToolbarPack(Panel& panel) { RunPanelAction(panel, ItemsOf(panel.side), PanelKey::AddToArchive); }

}  // namespace nrv
