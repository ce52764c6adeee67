#include "shell/viewer_frame_win32.h"

#include "archive/archive_navigation.h"
#include "archive/archive_copies_win32.h"
#include "platform/private_folder.h"
#include "config/history.h"
#include "core/listing.h"
#include "core/paths.h"
#include "fileops/run_file.h"
#include "panel/panel_paint.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "shell/activation.h"
#include "shell/drawing_objects.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/main_menu_win32.h"
#include "shell/application.h"
#include "viewer/viewer_window_win32.h"

namespace nrv {
namespace {

HFONT StatusFont() {
  const ShellState& state = TheShellState();
  return FixedFont(state.statusFontSize, state.statusFontFace);
}

void RunExternalViewer(const Settings& settings, TextView fullPath) {
  const intptr_t result = platform::ExecuteWithShell(u"open", settings.ExternalViewer, fullPath, {});
  if (result > 32) return;
  Text message = u"Failed execute external viewer:\r\n" + settings.ExternalViewer + u" ";
  message += fullPath;
  platform::ShowMessage({nullptr, message, u"Error", platform::MessageIcon::Error, platform::MessageButtons::Ok});
}

// The panels give way: hidden and disabled, the menu bar gone, the viewer's background.
void EnterViewer() {
  Application& application = TheApplication();
  ShellWindows& windows = application.windows;
  for (HWND panel : {windows.left, windows.right}) {
    ::EnableWindow(panel, FALSE);
    ::ShowWindow(panel, SW_HIDE);
  }
  ::SetMenu(windows.main, nullptr);
  windows.backgroundBrush.Reset(::CreateSolidBrush(TheSettings().ClrViewerBackground));
  application.state.viewerOpen = true;
  ShowViewer(application.viewer);
}

// The viewer gets an extracted copy, which goes when the viewer is left; an external viewer
// keeps its copy.
void ViewArchiveCopy(Panel& panel, ItemList& list) {
  if (IsFolder(At(list, panel.cursor)) || ExtractCopyToOpen(panel, list) != 0) return;
  const Text copy = panel.archiveTempFile;
  if (TheSettings().UseExternalViewer) {
    RunExternalViewer(TheSettings(), copy);
    return;
  }
  if (OpenViewer(TheApplication().viewer, copy, copy) != 0) return;
  TheShellState().viewedArchiveCopy = copy;
  EnterViewer();
}

}  // namespace

void AttachViewerToFrame() {
  Application& application = TheApplication();
  ViewerHost& host = application.viewer.host;
  host.frame = application.windows.main;
  host.window = application.windows.viewer;
  host.verticalBar = application.windows.viewerVerticalBar;
  host.horizontalBar = application.windows.viewerHorizontalBar;
  host.settings = &TheSettings();
  host.osMajor = application.windows.osMajor;
  host.fixedFont = &FixedFont;
  host.statusFont = &StatusFont;
  host.savedFontSize = &application.state.viewerFontSize;
  host.savedFontFace = &application.state.viewerFontFace;
  host.searchDialog = &application.state.searchDialog;
  host.leave = &LeaveViewerToPanels;
  host.relayout = &LayOutChildren;
  AttachViewer(application.viewer);
}

void ViewCursorItem(Panel& panel, ItemList& list) {
  if (IsEmpty(list)) return;
  const Settings& settings = TheSettings();
  AddHistory(settings, kHistoryRecentLocations, panel.path);
  const PanelItem& item = At(list, panel.cursor);
  if (IsUpEntry(item)) return;
  if (KindOf(panel) == LocationKind::Archive) {
    ViewArchiveCopy(panel, list);
    return;
  }
  if (KindOf(panel) != LocationKind::Local) return;
  if (SetCurrentFolder(panel) != 0) return;
  const Text name(ItemName(item));
  if (IsFolder(item)) {
    ShowItemProperties(panel, name);
    return;
  }
  const Text fullPath = JoinPath(panel.path, name);
  if (settings.UseExternalViewer) {
    RunExternalViewer(settings, fullPath);
    return;
  }
  if (OpenViewer(TheApplication().viewer, name, fullPath) != 0) return;
  EnterViewer();
}

void LeaveViewerToPanels() {
  Application& application = TheApplication();
  ShellWindows& windows = application.windows;
  ViewerSession& viewer = application.viewer;
  const Text viewed = viewer.doc.name;
  CloseViewer(viewer);
  if (Text& copy = application.state.viewedArchiveCopy; !copy.empty()) {
    platform::RemovePrivateCopy(copy);
    copy.clear();
  }
  for (HWND panel : {windows.left, windows.right}) {
    ::EnableWindow(panel, TRUE);
    ::ShowWindow(panel, SW_SHOW);
  }
  application.state.viewerOpen = false;
  AttachMenu();
  MakePensAndBrushes();
  LayOutChildren();
  Panel* active = ActivePanel();
  if (active) {
    const int index = IndexOfName(ItemsOf(active->side), viewed);
    if (index >= 0) PlaceCursor(*active, index);
  }
  for (int side : {kLeftPanel, kRightPanel}) RepaintPanel(PanelOf(side), ItemsOf(side));
  if (active) ActivatePanel(*active);
  ShowActivePathInTitle();
}

bool ForwardViewerScroll(UINT message, WPARAM wParam, LPARAM lParam) {
  const ShellWindows& windows = TheShellWindows();
  const HWND bar = reinterpret_cast<HWND>(lParam);
  ViewerSession& viewer = TheApplication().viewer;
  if (message == WM_VSCROLL && bar == windows.viewerVerticalBar) {
    ScrollVertical(viewer, LOWORD(wParam));
    return true;
  }
  if (message == WM_HSCROLL && bar == windows.viewerHorizontalBar) {
    ScrollHorizontal(viewer, LOWORD(wParam));
    return true;
  }
  return false;
}

void RepaintViewer() {
  if (TheShellState().viewerOpen) PaintViewer(TheApplication().viewer);
}

}  // namespace nrv
