#include <windows.h>

#include "editor/editor_win32.h"
#include "panel/panel_paint.h"
#include "platform/win32/wide.h"
#include "shell/activation.h"
#include "platform/error_report.h"
#include "shell/application.h"

namespace nrv {

// The active panel's title line without the blank on either side: the path of a local folder,
// the server and its folder for an FTP panel.
void ShowActivePathInTitle() {
  const Panel* panel = ActivePanel();
  if (!panel) return;
  Text title = OpsOf(*panel).title(*panel);
  if (!title.empty() && title.front() == u' ') title.erase(0, 1);
  if (!title.empty() && title.back() == u' ') title.pop_back();
  ::SetWindowTextW(TheShellWindows().main, platform::Wide(title));
}

void ActivatePanel(Panel& panel) {
  HWND window = static_cast<HWND>(WindowOf(panel));
  if (!window || !::IsWindowVisible(window)) return;
  Panel& other = OtherPanel(panel);
  panel.active = 1;
  other.active = 0;
  SetErrorReportWindows(TheShellWindows().main, window);
  ::SetFocus(window);
  for (int side : {kLeftPanel, kRightPanel}) {
    DrawTitle(PanelOf(side));
    DrawItems(ItemsOf(side), PanelOf(side));
  }
  ShowActivePathInTitle();
}

void ActivateOtherPanel() {
  if (PanelOf(kLeftPanel).active)
    ActivatePanel(PanelOf(kRightPanel));
  else if (PanelOf(kRightPanel).active)
    ActivatePanel(PanelOf(kLeftPanel));
}

void FocusOnActivation() {
  const ShellState& state = TheShellState();
  const ShellWindows& windows = TheShellWindows();
  if (state.viewerOpen) {
    ::SetFocus(windows.viewer);
    return;
  }
  if (HWND editor = EditorControl(); state.editorOpen && editor) {
    ::SetFocus(editor);
    UpdateStatus();
    return;
  }
  for (int side : {kLeftPanel, kRightPanel}) {
    Panel& panel = PanelOf(side);
    if (panel.active && WindowOf(panel) && ::IsWindowVisible(static_cast<HWND>(WindowOf(panel)))) {
      ActivatePanel(panel);
      return;
    }
  }
  ::SetFocus(windows.main);
}

}  // namespace nrv
