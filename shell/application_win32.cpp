#include "shell/application.h"

#include "archive/archive_location_ops.h"

#include "ftp/ftp_location_ops_win32.h"

namespace nrv {

Application::Application() {
  left.side = kLeftPanel;
  right.side = kRightPanel;
  left.view = &leftView;
  right.view = &rightView;
  for (Panel* panel : {&left, &right}) {
    panel->context = &context;
    panel->view->shared = &drawing;
  }
  left.archiveItems = &leftArchiveItems;
  right.archiveItems = &rightArchiveItems;
  locations.archive = &ArchiveLocationOps();
  left.ftpSession = &leftFtp;
  right.ftpSession = &rightFtp;
  locations.ftp = &FtpLocationOps();
}

Application::~Application() {
  // Watchers first: they post to the context, which goes last.
  StopAndJoin(left.watcher);
  StopAndJoin(right.watcher);
  StopAndJoinAll(fileWorkers);
}

Application& TheApplication() {
  static Application application;
  return application;
}

ShellWindows& TheShellWindows() { return TheApplication().windows; }
ShellState& TheShellState() { return TheApplication().state; }
Settings& TheSettings() { return TheApplication().context.settings; }
const LocationOps& OpsOf(const Panel& panel) { return OpsOf(TheApplication().locations, panel); }

Panel& PanelOf(int side) { return side == kRightPanel ? TheApplication().right : TheApplication().left; }
PanelTabs& TabsOf(int side) { return side == kRightPanel ? TheApplication().rightTabs : TheApplication().leftTabs; }
ItemList& ItemsOf(int side) { return side == kRightPanel ? TheApplication().rightItems : TheApplication().leftItems; }
Panel& OtherPanel(const Panel& panel) { return PanelOf(panel.side == kLeftPanel ? kRightPanel : kLeftPanel); }

Panel* ActivePanel() {
  Application& application = TheApplication();
  if (application.left.active) return &application.left;
  if (application.right.active) return &application.right;
  return nullptr;
}

HICON ToolIcon(int resourceId) {
  const int index = resourceId - IDI_FIRST_TOOL_ICON;
  if (index < 0 || index >= static_cast<int>(TheShellWindows().icons.size())) return nullptr;
  return TheShellWindows().icons[static_cast<size_t>(index)].Get();
}

PanelView& ViewOf(int side) { return side == kRightPanel ? TheApplication().rightView : TheApplication().leftView; }

PanelFonts& FontsOf(int side) {
  return side == kRightPanel ? TheShellWindows().rightFonts : TheShellWindows().leftFonts;
}

}  // namespace nrv
