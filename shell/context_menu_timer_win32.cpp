#include <windows.h>

#include <vector>

#include "core/listing.h"
#include "panel/context_menu_names.h"
#include "panel/context_menu_win32.h"
#include "panel/panel_paint.h"
#include "shell/application.h"

namespace nrv {

void CALLBACK ContextMenuTimer(HWND window, UINT, UINT_PTR, DWORD) {
  ::KillTimer(window, kContextMenuTimerId);
  ShellWindows& windows = TheShellWindows();
  int side = 0;
  if (window && window == windows.left) side = kLeftPanel;
  if (window && window == windows.right) side = kRightPanel;
  if (side == 0) return;
  Panel& panel = PanelOf(side);
  ItemList& list = ItemsOf(side);
  panel.rightDragActive = 0;
  panel.leftButtonDown = 0;
  // Names inside an archive are no files of its folder: the shell would offer the wrong ones.
  if (KindOf(panel) == LocationKind::Archive) return;
  if (SetCurrentFolder(panel) != 0) return;
  const std::vector<Text> names = CollectContextMenuNames(panel, list);
  RepaintPanel(panel, list);
  ShowShellContextMenu(windows.main, panel.path, names);
}

}  // namespace nrv
