#pragma once
// The configuration record. Filled from the registry at start-up, written back only by
// "Save configuration".
#include <cstdint>

#include "platform/system.h"
#include "platform/text.h"

namespace nrv {

using Colour = uint32_t;  // COLORREF, 0x00BBGGRR
using FontGroup = platform::FontDescription;

inline constexpr int32_t kSchemeWindowsDefault = 0;
inline constexpr int32_t kSchemeGray = 1;
inline constexpr int32_t kSchemeBlue = 2;
inline constexpr int32_t kSchemeWhite = 3;
inline constexpr int32_t kSchemeUserDefined = 4;

struct Settings {
  int32_t WindowLeft = 0, WindowTop = 0, WindowRight = 0, WindowBottom = 0;
  int32_t ColorScheme = kSchemeWhite;

  Colour ClrPanelBackground = 0;
  Colour ClrPanelText = 0;
  Colour ClrPanelHighlightText = 0;
  Colour ClrPanelStatusbarBackground = 0;
  Colour ClrPanelStatusbarText = 0;
  Colour ClrPanelSelectedBackground = 0;
  Colour ClrPanelSelectedText = 0;
  Colour ClrPanelCursorBackground = 0;
  Colour ClrPanelCursorText = 0;
  Colour ClrPanelFilesText = 0;
  Colour ClrPanelFoldersText = 0;
  Colour ClrPanelJunctionFrame = 0;
  Colour ClrPanelFolderFrame = 0;
  Colour ClrPanelLongNameFrame = 0;
  Colour ClrPanelHiddenFilesText = 0;
  Colour ClrPanelArchiveFilesText = 0;
  Colour ClrPanelExecutableFilesText = 0;
  Colour ClrPanelToolbarBackground = 0;
  Colour ClrPanelToolbarBackgroundSelected = 0;
  Colour ClrPanelToolbarText = 0;
  Colour ClrPanelMenuText = 0;
  Colour ClrPanelMenuBackgroundDefault = 0;
  Colour ClrPanelMenuBackground = 0;
  Colour ClrPanelMenuBackgroundChecked = 0;
  Colour ClrPanelTitleBackground = 0;
  Colour ClrViewerBackground = 0;
  Colour ClrViewerText = 0;
  Colour ClrViewerStatusbarBackground = 0;
  Colour ClrViewerStatusbarText = 0;
  Colour ClrViewerSelectedBackground = 0;
  Colour ClrViewerSelectedText = 0;
  Colour ClrEditorBackground = 0;
  Colour ClrEditorText = 0;
  Colour ClrEditorStatusbarBackground = 0;
  Colour ClrEditorStatusbarText = 0;
  Colour ClrEditorSelectedBackground = 0;
  Colour ClrEditorSelectedText = 0;

  int32_t FontPanelSizeLeft = 1001, FontPanelFaceLeft = 1001;
  int32_t FontPanelSizeRight = 1001, FontPanelFaceRight = 1001;
  int32_t FontViewerSize = 1001;
  int32_t FontViewerFace = 1001;
  int32_t FontStatusbarSize = 1001;
  int32_t FontStatusbarFace = 1001;
  int32_t SortPanelLeft = 1002;
  int32_t SortPanelRight = 1001;
  int32_t ModePanelLeft = 1002;
  int32_t ModePanelRight = 1000;
  int32_t ModePanelLeftColumns = 2;
  int32_t ModePanelRightColumns = 2;
  int32_t PanelContextMenuTimer = 300;

  uint8_t PanelShowToolbar = 1;
  uint8_t PanelShowMenu = 1;
  uint8_t PanelAutoUpdatePanels = 1;
  uint8_t PanelAutoUpdateNetwork = 0;
  uint8_t PanelShowFreeSize = 1;
  uint8_t PanelShowFreeSizeNetwork = 0;
  uint8_t PanelShowFileOwners = 0;
  uint8_t PanelScrollColumns = 0;
  uint8_t PanelSelectFolders = 0;
  uint8_t PanelDeleteRecycle = 1;
  uint8_t PanelAllowDragdrop = 1;
  uint8_t PanelAllowSysmenu = 1;
  uint8_t PanelShowTooltips = 1;
  uint8_t PanelShowPanelStatusbar = 1;
  uint8_t PanelShowIcons = 1;
  uint8_t PanelLargeIcons = 0;
  uint8_t PanelAlwaysShowTabs = 0;  // the tab row even with one tab; saved beside the tabs

  FontGroup l_;   // left panel font
  FontGroup lt_;  // left panel title font
  FontGroup r_;   // right panel font
  FontGroup rt_;  // right panel title font

  int32_t WindowsOffset = 0;  // splitter, percent from the centre, -80 to 80
  Text PanelPathLeft;         // at most 259 characters
  Text PanelPathRight;
  uint8_t ArrageHorizontal = 0;
  Text ExternalViewer;
  uint8_t UseExternalViewer = 0;
  uint8_t ViewerSavePosition = 1;
  Text ExternalEditor;
  uint8_t UseExternalEditor = 0;
  uint8_t EditorWordWrap = 0;
  uint8_t EditorSavePosition = 1;
  int32_t HistoryCount = 10;
};

// The title font description of the FixedFontTable (face 1001 at size 1000): from
// major OS version 6 on "Consolas" height 15, else "Courier New" height 14; weight 0, default
// character set (1), every other member 0. The default of the groups lt_ and rt_.
FontGroup DefaultTitleFont(int osMajorVersion);

// Fills the record with the built-in defaults: scheme 3 and its colours, font codes,
// sort and view modes, switches, panel paths = the process current folder, the font groups
// (l_ and r_ from the system's icon-title font, lt_ and rt_ from DefaultTitleFont), window
// rectangle 0, HistoryCount 10.
void ApplyDefaults(Settings& settings);

// Sets the colours of scheme 0 to 3 (scheme 0 reads the system colours now and leaves
// ClrPanelCursorBackground as it is); other numbers, 4 "User defined" included, change
// nothing. ColorScheme itself is not touched. Returns 0.
int ApplyScheme(Settings& settings, int32_t scheme);

// The model part of "Load default configuration": ApplyDefaults, but the live sort modes, view
// modes, brief-mode column counts, splitter position (WindowsOffset) and panel paths keep the
// values the record had. The caller then applies the four font groups to the panel fonts,
// remakes pens and brushes, asks for UpdateFileLists(0) and resizes the main window.
void LoadDefaultConfiguration(Settings& settings);

}  // namespace nrv
