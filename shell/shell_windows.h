#pragma once
// The windows, drawing objects and shared state of the user interface, kept by the application.
#include <windows.h>

#include <array>
#include <cstdint>
#include <map>

#include "platform/handles.h"
#include "platform/text.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/internet_handle.h"
#include "shell/fixed_font_table.h"
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
  bool archiveLibraryChecked = false;  // 7z.dll was there before the window showed
  bool servicesStarted = false;  // 7z.dll, the Internet handle and OLE: just after the first paint
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
  int locationMenuSide = 1;  // the panel the drives-and-locations menu was last opened for
  const std::map<uintptr_t, NativeIcon>* openLocationMenuIcons = nullptr;  // while it is open
  std::array<uint32_t, 16> customColours{};  // the colour chooser's, kept for the run, never saved
  Text viewedArchiveCopy;  // the extracted copy the viewer shows; deleted when it is left
};

}  // namespace nrv
