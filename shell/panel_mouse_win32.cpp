#include "shell/panel_mouse_win32.h"

#include <cstdlib>

#include "core/settings.h"
#include "shell/application.h"
#include "panel/context_menu_win32.h"
#include "panel/panel_paint.h"
#include "shell/activation.h"
#include "shell/cursor_movement.h"
#include "shell/drag_drop_win32.h"
#include "shell/panel_commands_win32.h"
#include "shell/panel_tabs_win32.h"
#include "shell/tab_row_win32.h"

namespace nrv {
namespace {

constexpr int kMenuCancelDistance = 5;

// The pointer's height when the right button went down, per side.
int gRightPressY[3] = {0, 0, 0};

HWND PanelWindow(const Panel& panel) { return static_cast<HWND>(WindowOf(panel)); }

// The tab held by the left button, per side, while it may be dragged along the row; -1 none.
int32_t gHeldTab[3] = {-1, -1, -1};

}  // namespace

void OnPanelLeftDown(Panel& panel, ItemList& list, int x, int y) {
  gHeldTab[panel.side] = -1;
  if (const int32_t tab = TabRowHit(panel, x, y); tab != kNotOnTabRow) {
    ActivatePanel(panel);
    if (tab >= 0) {
      ShowTabAt(panel, list, tab);
      gHeldTab[panel.side] = tab;
    }
    return;
  }
  HitTest(panel, list, x, y);
  ActivatePanel(panel);
  panel.leftButtonDown = 1;
  DrawItems(list, panel);
}

void OnPanelDoubleClick(Panel& panel, ItemList& list, int x, int y) {
  if (const int32_t tab = TabRowHit(panel, x, y); tab != kNotOnTabRow) {
    gHeldTab[panel.side] = -1;
    if (tab >= 0)
      CloseTabAt(panel, list, tab);
    else
      NewTab(panel, list);
    ActivatePanel(panel);
    return;
  }
  if (!IsEmpty(list)) RunPanelAction(panel, list, PanelKey::Open);
  ActivatePanel(panel);
}

void OnPanelRightDown(Panel& panel, ItemList& list, int x, int y) {
  if (RightPress(panel, list, x, y) != 0) return;
  ActivatePanel(panel);
  const Settings& settings = TheSettings();
  if (settings.PanelAllowSysmenu)
    ::SetTimer(PanelWindow(panel), kContextMenuTimerId, static_cast<UINT>(settings.PanelContextMenuTimer),
               &ContextMenuTimer);
  gRightPressY[panel.side] = y;
  DrawItems(list, panel);
}

void OnPanelMiddleDown(Panel& panel, ItemList& list, int x, int y) {
  if (const int32_t tab = TabRowHit(panel, x, y); tab >= 0) CloseTabAt(panel, list, tab);
}

void OnPanelMouseMove(Panel& panel, ItemList& list, int x, int y) {
  if (int32_t& held = gHeldTab[panel.side]; held >= 0) {
    // A held tab follows the pointer along its row; the button let go anywhere ends the drag.
    if (::GetKeyState(VK_LBUTTON) >= 0) {
      held = -1;
    } else if (const int32_t over = TabRowHit(panel, x, 0); over >= 0 && over != held) {
      MoveTabTo(panel, list, held, over);
      held = over;
    }
    return;
  }
  // Moving with the right button down selects instead of opening the menu.
  if (std::abs(y - gRightPressY[panel.side]) > kMenuCancelDistance)
    ::KillTimer(PanelWindow(panel), kContextMenuTimerId);
  if (panel.rightDragActive && RightDrag(panel, list, x, y) == 0) DrawItems(list, panel);
  DragFilesOut(panel, list);
}

void OnPanelWheel(Panel& panel, ItemList& list, int wheelDelta) {
  if (WheelStep(panel, list, wheelDelta < 0, TheSettings().PanelScrollColumns != 0) == 0)
    DrawItems(list, panel);
}

}  // namespace nrv
