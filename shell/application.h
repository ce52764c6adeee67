#pragma once
// The application object: the one owner of a run's single instances.
#include <windows.h>

#include "archive/archive_item_list.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_context.h"
#include "core/panel_tabs.h"
#include "fileops/location_ops.h"
#include "find/find_command_win32.h"
#include "ftp/ftp_session_win32.h"
#include "panel/panel_view.h"
#include "platform/worker.h"
#include "shell/compare_command_win32.h"
#include "shell/drag_state.h"
#include "shell/folder_sizes_command_win32.h"
#include "shell/main_menu_record_win32.h"
#include "shell/shell_windows.h"
#include "viewer/viewer_window_win32.h"

namespace nrv {

// The one owner of everything a run keeps: the panels' shared context (settings, temporary
// store, drive table, re-read requests), both panels with their lists and archive items, the windows and drawing
// objects, the main menu, the location table and the file-operation workers. Members are destroyed in reverse:
// workers are joined first, the context outlives the panels that point at it.
struct Application {
  PanelContext context;
  SharedDrawing drawing;
  PanelView leftView;
  PanelView rightView;
  ShellWindows windows;
  ShellState state;
  MainMenu menu;
  ViewerSession viewer;
  bool oleStarted = false;
  LocationTable locations;
  FtpSession leftFtp;
  FtpSession rightFtp;
  Panel left;
  Panel right;
  ItemList leftItems;
  ItemList rightItems;
  // Every item of the archive each panel shows, read once when it is entered.
  ArchiveItemList leftArchiveItems;
  ArchiveItemList rightArchiveItems;
  // Each panel's folder tabs; the current one is what the panel shows.
  PanelTabs leftTabs;
  PanelTabs rightTabs;
  WorkerSet fileWorkers;
  FindSession find;  // the find-files query, its results and its search thread
  CompareSession compare;  // Compare folders: the remembered choices and its worker
  FolderSizesSession folderSizes;
  DragState drag;

  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();
};

// The run's application: the Win32 entry points (window procedures, timers, the main loop)
// reach it here, and pass references down from there.
Application& TheApplication();

ShellWindows& TheShellWindows();
ShellState& TheShellState();
Settings& TheSettings();
// The operations of the panel's location.
const LocationOps& OpsOf(const Panel& panel);

// Both panels and their rows, by side (1 left, 2 right).
Panel& PanelOf(int side);
ItemList& ItemsOf(int side);
PanelTabs& TabsOf(int side);
Panel& OtherPanel(const Panel& panel);
// The panel with the keyboard, or none.
Panel* ActivePanel();
HICON ToolIcon(int resourceId);
PanelFonts& FontsOf(int side);
PanelView& ViewOf(int side);

}  // namespace nrv
