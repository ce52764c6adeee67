#pragma once
// The process-wide windows, drawing objects and shared state of the user interface.
#include <windows.h>

#include <array>
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_context.h"
#include "fileops/location_ops.h"
#include "ftp/ftp_session_win32.h"
#include "panel/panel_view.h"
#include "platform/worker.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/internet_handle.h"
#include "shell/fixed_font_table.h"
#include "shell/main_menu_record_win32.h"
#include "shell/resource_ids.h"

namespace nrv {

// A panel's item font and title font: the description each was made from and the font.
struct PanelFonts {
  LOGFONTW itemDescription{};
  LOGFONTW titleDescription{};
  platform::Font item;
  platform::Font title;
};

struct ShellWindows {
  HINSTANCE instance = nullptr;
  int osMajor = 0;
  platform::Module archiveLibrary;  // 7z.dll; none when archives are unavailable
  platform::InternetHandle internet;

  // Drawing objects are declared before the contexts so they outlive them: each context gives
  // its own objects back when released.
  std::array<platform::Font, kFixedFontSizes * kFixedFontFaces> fixedFonts;
  platform::Font iconTitleFont;
  PanelFonts leftFonts;
  PanelFonts rightFonts;
  platform::Pen textPen;
  platform::Brush backgroundBrush;
  platform::Brush mainBackgroundBrush;
  platform::Brush toolbarBrush;
  platform::Brush titleBrush;
  platform::Brush classBrush;  // background of the main window class
  std::array<platform::OwnedIcon, IDI_LAST_TOOL_ICON - IDI_FIRST_TOOL_ICON + 1> icons;  // resources 121 to 146, none at 129

  HWND main = nullptr;
  HWND left = nullptr;
  HWND right = nullptr;
  HWND viewer = nullptr;
  HWND viewerVerticalBar = nullptr;
  HWND viewerHorizontalBar = nullptr;
  platform::KeptDc mainDc;
  platform::KeptDc leftDc;
  platform::KeptDc rightDc;
  platform::KeptDc viewerDc;

  HCURSOR arrowCursor = nullptr;
  HCURSOR waitCursor = nullptr;
  HCURSOR sizeWestEastCursor = nullptr;
  HCURSOR sizeNorthSouthCursor = nullptr;
};

struct ShellState {
  bool windowsCreated = false;
  bool startupDone = false;
  bool viewerOpen = false;
  bool editorOpen = false;
  bool hoveringDivider = false;
  bool draggingDivider = false;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t charWidth = 1;
  int32_t charHeight = 1;
  int32_t charSet = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t toolbarHeight = 0;
  int32_t windowsOffset = 0;
  int32_t viewerFontSize = kFontMedium;
  int32_t viewerFontFace = 1001;
  int32_t statusFontSize = kFontMedium;
  int32_t statusFontFace = 1001;
  HWND searchDialog = nullptr;  // the modeless "Search text" dialog, when open
  RECT windowedRect{};          // the window before full screen
  int highlightedTool = -1;
};

// The one owner of everything a run keeps: the panels' shared context (settings, temporary
// store, drive table, re-read requests), both panels and their lists, the windows and drawing
// objects, the main menu, the location table and the file-operation workers. Members are destroyed in reverse:
// workers are joined first, the context outlives the panels that point at it.
struct Application {
  PanelContext context;
  PanelView view;
  ShellWindows windows;
  ShellState state;
  MainMenu menu;
  bool oleStarted = false;
  LocationTable locations;
  FtpSession leftFtp;
  FtpSession rightFtp;
  Panel left;
  Panel right;
  ItemList leftItems;
  ItemList rightItems;
  WorkerSet fileWorkers;

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
Panel& OtherPanel(const Panel& panel);
// The panel with the keyboard, or none.
Panel* ActivePanel();
HICON ToolIcon(int resourceId);
PanelFonts& FontsOf(int side);

}  // namespace nrv
