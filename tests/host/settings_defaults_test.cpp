// Defaults, colour schemes and "Load default configuration" on the record.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "support/settings_records.h"
#include "platform/files.h"
#include "platform/system.h"

namespace nrv {
namespace {

using test::ExpectSameFont;

constexpr Colour Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// Every colour to one value, so that a scheme's untouched cells show.
void PaintAll(Settings& s, Colour c) {
  for (Colour* p : {&s.ClrPanelBackground, &s.ClrPanelText, &s.ClrPanelHighlightText,
                    &s.ClrPanelStatusbarBackground, &s.ClrPanelStatusbarText,
                    &s.ClrPanelSelectedBackground, &s.ClrPanelSelectedText,
                    &s.ClrPanelCursorBackground, &s.ClrPanelCursorText, &s.ClrPanelFilesText,
                    &s.ClrPanelFoldersText, &s.ClrPanelJunctionFrame, &s.ClrPanelFolderFrame,
                    &s.ClrPanelLongNameFrame, &s.ClrPanelHiddenFilesText,
                    &s.ClrPanelArchiveFilesText, &s.ClrPanelExecutableFilesText,
                    &s.ClrPanelToolbarBackground, &s.ClrPanelToolbarBackgroundSelected,
                    &s.ClrPanelToolbarText, &s.ClrPanelMenuText, &s.ClrPanelMenuBackgroundDefault,
                    &s.ClrPanelMenuBackground, &s.ClrPanelMenuBackgroundChecked,
                    &s.ClrPanelTitleBackground, &s.ClrViewerBackground, &s.ClrViewerText,
                    &s.ClrViewerStatusbarBackground, &s.ClrViewerStatusbarText,
                    &s.ClrViewerSelectedBackground, &s.ClrViewerSelectedText,
                    &s.ClrEditorBackground, &s.ClrEditorText, &s.ClrEditorStatusbarBackground,
                    &s.ClrEditorStatusbarText, &s.ClrEditorSelectedBackground,
                    &s.ClrEditorSelectedText})
    *p = c;
}

void ExpectWhiteScheme(const Settings& s) {
  EXPECT_EQ(s.ClrPanelBackground, Rgb(255, 255, 255));
  EXPECT_EQ(s.ClrPanelText, Rgb(180, 180, 180));
  EXPECT_EQ(s.ClrPanelHighlightText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelStatusbarBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrPanelStatusbarText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelSelectedBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrPanelSelectedText, Rgb(255, 0, 0));
  EXPECT_EQ(s.ClrPanelCursorBackground, Rgb(60, 110, 160));
  EXPECT_EQ(s.ClrPanelCursorText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelFilesText, Rgb(32, 32, 32));
  EXPECT_EQ(s.ClrPanelFoldersText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelJunctionFrame, Rgb(160, 160, 160));
  EXPECT_EQ(s.ClrPanelFolderFrame, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelLongNameFrame, Rgb(100, 100, 100));
  EXPECT_EQ(s.ClrPanelHiddenFilesText, Rgb(103, 103, 165));
  EXPECT_EQ(s.ClrPanelArchiveFilesText, Rgb(166, 0, 141));
  EXPECT_EQ(s.ClrPanelExecutableFilesText, Rgb(23, 75, 255));
  EXPECT_EQ(s.ClrPanelToolbarBackground, Rgb(240, 240, 240));
  EXPECT_EQ(s.ClrPanelToolbarBackgroundSelected, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrPanelToolbarText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelMenuText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrPanelMenuBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrPanelMenuBackgroundDefault, Rgb(255, 255, 255));
  EXPECT_EQ(s.ClrPanelMenuBackgroundChecked, Rgb(200, 200, 200));
  EXPECT_EQ(s.ClrPanelTitleBackground, Rgb(200, 200, 200));
  EXPECT_EQ(s.ClrViewerBackground, Rgb(255, 255, 255));
  EXPECT_EQ(s.ClrViewerText, Rgb(32, 32, 32));
  EXPECT_EQ(s.ClrViewerStatusbarBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrViewerStatusbarText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrViewerSelectedBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrViewerSelectedText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrEditorBackground, Rgb(255, 255, 255));
  EXPECT_EQ(s.ClrEditorText, Rgb(32, 32, 32));
  EXPECT_EQ(s.ClrEditorStatusbarBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrEditorStatusbarText, Rgb(0, 0, 0));
  EXPECT_EQ(s.ClrEditorSelectedBackground, Rgb(125, 171, 255));
  EXPECT_EQ(s.ClrEditorSelectedText, Rgb(0, 0, 0));
}


// A record that differs from the defaults in every field.
Settings Scrambled() {
  Settings s;
  PaintAll(s, Rgb(1, 2, 3));
  s.ColorScheme = 4;
  s.WindowLeft = 11, s.WindowTop = 12, s.WindowRight = 13, s.WindowBottom = 14;
  s.FontPanelSizeLeft = s.FontPanelFaceLeft = s.FontPanelSizeRight = s.FontPanelFaceRight = 1002;
  s.FontViewerSize = s.FontViewerFace = s.FontStatusbarSize = s.FontStatusbarFace = 1000;
  s.SortPanelLeft = 1005, s.SortPanelRight = 1006;
  s.ModePanelLeft = 1001, s.ModePanelRight = 1002;
  s.ModePanelLeftColumns = 3, s.ModePanelRightColumns = 4;
  s.PanelContextMenuTimer = 900;
  for (uint8_t* flag : {&s.PanelShowToolbar, &s.PanelShowMenu, &s.PanelAutoUpdatePanels,
                        &s.PanelAutoUpdateNetwork, &s.PanelShowFreeSize,
                        &s.PanelShowFreeSizeNetwork, &s.PanelShowFileOwners,
                        &s.PanelScrollColumns, &s.PanelSelectFolders, &s.PanelDeleteRecycle,
                        &s.PanelAllowDragdrop, &s.PanelAllowSysmenu, &s.PanelShowTooltips,
                        &s.PanelShowPanelStatusbar, &s.PanelShowIcons, &s.PanelLargeIcons,
                        &s.ArrageHorizontal, &s.UseExternalViewer, &s.ViewerSavePosition,
                        &s.UseExternalEditor, &s.EditorWordWrap, &s.EditorSavePosition})
    *flag = static_cast<uint8_t>(!*flag);
  s.l_.lfFaceName = u"Arial";
  s.lt_.lfFaceName = u"Arial";
  s.r_.lfFaceName = u"Arial";
  s.rt_.lfFaceName = u"Arial";
  s.l_.lfHeight = s.lt_.lfHeight = s.r_.lfHeight = s.rt_.lfHeight = 99;
  s.WindowsOffset = -40;
  s.PanelPathLeft = u"/left";
  s.PanelPathRight = u"/right";
  s.ExternalViewer = u"viewer.exe";
  s.ExternalEditor = u"editor.exe";
  s.HistoryCount = 25;
  return s;
}

TEST(SettingsDefaults, EveryValueAsInTheTable) {
  Settings s = Scrambled();
  ApplyDefaults(s);

  EXPECT_EQ(s.WindowLeft, 0);
  EXPECT_EQ(s.WindowTop, 0);
  EXPECT_EQ(s.WindowRight, 0);
  EXPECT_EQ(s.WindowBottom, 0);
  EXPECT_EQ(s.ColorScheme, 3);
  ExpectWhiteScheme(s);
  for (int32_t code : {s.FontPanelSizeLeft, s.FontPanelFaceLeft, s.FontPanelSizeRight,
                       s.FontPanelFaceRight, s.FontViewerSize, s.FontViewerFace,
                       s.FontStatusbarSize, s.FontStatusbarFace})
    EXPECT_EQ(code, 1001);
  EXPECT_EQ(s.SortPanelLeft, 1002);
  EXPECT_EQ(s.SortPanelRight, 1001);
  EXPECT_EQ(s.ModePanelLeft, 1002);
  EXPECT_EQ(s.ModePanelRight, 1000);
  EXPECT_EQ(s.ModePanelLeftColumns, 2);
  EXPECT_EQ(s.ModePanelRightColumns, 2);
  EXPECT_EQ(s.PanelContextMenuTimer, 300);

  EXPECT_EQ(s.PanelShowToolbar, 1);
  EXPECT_EQ(s.PanelShowMenu, 1);
  EXPECT_EQ(s.PanelAutoUpdatePanels, 1);
  EXPECT_EQ(s.PanelAutoUpdateNetwork, 0);
  EXPECT_EQ(s.PanelShowFreeSize, 1);
  EXPECT_EQ(s.PanelShowFreeSizeNetwork, 0);
  EXPECT_EQ(s.PanelShowFileOwners, 0);
  EXPECT_EQ(s.PanelScrollColumns, 0);
  EXPECT_EQ(s.PanelSelectFolders, 0);
  EXPECT_EQ(s.PanelDeleteRecycle, 1);
  EXPECT_EQ(s.PanelAllowDragdrop, 1);
  EXPECT_EQ(s.PanelAllowSysmenu, 1);
  EXPECT_EQ(s.PanelShowTooltips, 1);
  EXPECT_EQ(s.PanelShowPanelStatusbar, 1);
  EXPECT_EQ(s.PanelShowIcons, 1);
  EXPECT_EQ(s.PanelLargeIcons, 0);

  ExpectSameFont(s.l_, platform::IconTitleFont());
  ExpectSameFont(s.r_, platform::IconTitleFont());
  ExpectSameFont(s.lt_, DefaultTitleFont(platform::OsMajorVersion()));
  ExpectSameFont(s.rt_, DefaultTitleFont(platform::OsMajorVersion()));

  EXPECT_EQ(s.WindowsOffset, 0);
  EXPECT_EQ(s.PanelPathLeft, platform::CurrentFolder());
  EXPECT_EQ(s.PanelPathRight, platform::CurrentFolder());
  EXPECT_FALSE(s.PanelPathLeft.empty());
  EXPECT_EQ(s.ArrageHorizontal, 0);
  EXPECT_EQ(s.ExternalViewer, u"");
  EXPECT_EQ(s.UseExternalViewer, 0);
  EXPECT_EQ(s.ViewerSavePosition, 1);
  EXPECT_EQ(s.ExternalEditor, u"");
  EXPECT_EQ(s.UseExternalEditor, 0);
  EXPECT_EQ(s.EditorWordWrap, 0);
  EXPECT_EQ(s.EditorSavePosition, 1);
  EXPECT_EQ(s.HistoryCount, 10);
}

TEST(SettingsDefaults, LeftFullBySizeRightBriefByExtension) {
  Settings s;
  ApplyDefaults(s);
  EXPECT_EQ(s.ModePanelLeft, 1002);   // Full
  EXPECT_EQ(s.SortPanelLeft, 1002);   // Size
  EXPECT_EQ(s.ModePanelRight, 1000);  // Brief
  EXPECT_EQ(s.SortPanelRight, 1001);  // Extension
}

TEST(SettingsDefaults, TitleFontFollowsTheOsVersion) {
  const FontGroup newer = DefaultTitleFont(6);
  EXPECT_EQ(newer.lfFaceName, u"Consolas");
  EXPECT_EQ(newer.lfHeight, 15);
  EXPECT_EQ(newer.lfWeight, 0);
  EXPECT_EQ(newer.lfCharSet, 1);
  EXPECT_EQ(newer.lfWidth, 0);
  EXPECT_EQ(newer.lfEscapement, 0);
  EXPECT_EQ(newer.lfOrientation, 0);
  EXPECT_EQ(newer.lfItalic, 0);
  EXPECT_EQ(newer.lfClipPrecision, 0);
  EXPECT_EQ(newer.lfOutPrecision, 0);
  EXPECT_EQ(newer.lfQuality, 0);

  const FontGroup older = DefaultTitleFont(5);
  EXPECT_EQ(older.lfFaceName, u"Courier New");
  EXPECT_EQ(older.lfHeight, 14);
  EXPECT_EQ(older.lfWeight, 0);
  EXPECT_EQ(older.lfCharSet, 1);

  EXPECT_EQ(DefaultTitleFont(10).lfFaceName, u"Consolas");
}

TEST(SettingsSchemes, GrayAndBlueFixedColours) {
  Settings s;
  EXPECT_EQ(ApplyScheme(s, kSchemeGray), 0);
  EXPECT_EQ(s.ClrPanelBackground, Rgb(40, 40, 40));
  EXPECT_EQ(s.ClrPanelText, Rgb(80, 80, 80));
  EXPECT_EQ(s.ClrPanelFolderFrame, Rgb(54, 128, 201));
  EXPECT_EQ(s.ClrPanelLongNameFrame, Rgb(128, 0, 128));
  EXPECT_EQ(s.ClrPanelArchiveFilesText, Rgb(159, 21, 179));
  EXPECT_EQ(s.ClrPanelToolbarBackgroundSelected, Rgb(120, 120, 120));
  EXPECT_EQ(s.ClrPanelMenuBackground, Rgb(60, 110, 160));
  EXPECT_EQ(s.ClrPanelMenuBackgroundDefault, Rgb(160, 160, 160));
  EXPECT_EQ(s.ClrPanelMenuBackgroundChecked, Rgb(140, 140, 140));
  EXPECT_EQ(s.ClrEditorText, Rgb(200, 200, 200));

  EXPECT_EQ(ApplyScheme(s, kSchemeBlue), 0);
  EXPECT_EQ(s.ClrPanelBackground, Rgb(3, 31, 61));
  EXPECT_EQ(s.ClrPanelHiddenFilesText, Rgb(0, 128, 128));
  EXPECT_EQ(s.ClrPanelToolbarBackground, Rgb(4, 41, 81));
  EXPECT_EQ(s.ClrPanelCursorBackground, Rgb(60, 110, 160));
  EXPECT_EQ(s.ClrPanelSelectedText, Rgb(255, 255, 0));
  EXPECT_EQ(s.ClrPanelExecutableFilesText, Rgb(0, 200, 0));
  EXPECT_EQ(s.ClrViewerSelectedBackground, Rgb(12, 95, 143));
}

TEST(SettingsSchemes, WindowsDefaultReadsSystemColoursAndKeepsTheCursor) {
  Settings s;
  PaintAll(s, Rgb(9, 9, 9));
  EXPECT_EQ(ApplyScheme(s, kSchemeWindowsDefault), 0);
  EXPECT_EQ(s.ClrPanelCursorBackground, Rgb(9, 9, 9));  // not set by scheme 0
  EXPECT_EQ(s.ClrPanelBackground, platform::SystemColor(5));            // COLOR_WINDOW
  EXPECT_EQ(s.ClrPanelText, platform::SystemColor(12));                 // COLOR_APPWORKSPACE
  EXPECT_EQ(s.ClrPanelStatusbarBackground, platform::SystemColor(27));  // GRADIENTACTIVECAPTION
  EXPECT_EQ(s.ClrPanelJunctionFrame, platform::SystemColor(17));        // COLOR_GRAYTEXT
  EXPECT_EQ(s.ClrPanelToolbarBackground, platform::SystemColor(4));     // COLOR_MENU
  EXPECT_EQ(s.ClrPanelToolbarText, platform::SystemColor(7));           // COLOR_MENUTEXT
  EXPECT_EQ(s.ClrPanelMenuBackgroundChecked, platform::SystemColor(28));
  EXPECT_EQ(s.ClrViewerSelectedBackground, platform::SystemColor(13));  // COLOR_HIGHLIGHT
  EXPECT_EQ(s.ClrEditorSelectedText, platform::SystemColor(14));        // COLOR_HIGHLIGHTTEXT
  EXPECT_EQ(s.ClrPanelSelectedText, Rgb(255, 0, 0));
  EXPECT_EQ(s.ClrPanelArchiveFilesText, Rgb(160, 0, 128));
  EXPECT_EQ(s.ClrPanelExecutableFilesText, Rgb(0, 128, 0));
}

TEST(SettingsSchemes, UserDefinedAndUnknownNumbersChangeNothing) {
  for (int32_t scheme : {kSchemeUserDefined, 5, -1, 1000}) {
    Settings s;
    PaintAll(s, Rgb(7, 8, 9));
    s.ColorScheme = 2;
    EXPECT_EQ(ApplyScheme(s, scheme), 0);
    EXPECT_EQ(s.ClrPanelBackground, Rgb(7, 8, 9));
    EXPECT_EQ(s.ClrEditorSelectedText, Rgb(7, 8, 9));
    EXPECT_EQ(s.ColorScheme, 2);
  }
}

TEST(SettingsSchemes, ApplyingASchemeLeavesTheSchemeNumber) {
  Settings s;
  s.ColorScheme = 4;
  ApplyScheme(s, kSchemeWhite);
  EXPECT_EQ(s.ColorScheme, 4);
  ExpectWhiteScheme(s);
}

TEST(SettingsLoadDefaultConfiguration, KeepsModesSplitterAndPaths) {
  Settings s = Scrambled();
  LoadDefaultConfiguration(s);
  // Kept.
  EXPECT_EQ(s.SortPanelLeft, 1005);
  EXPECT_EQ(s.SortPanelRight, 1006);
  EXPECT_EQ(s.ModePanelLeft, 1001);
  EXPECT_EQ(s.ModePanelRight, 1002);
  EXPECT_EQ(s.ModePanelLeftColumns, 3);
  EXPECT_EQ(s.ModePanelRightColumns, 4);
  EXPECT_EQ(s.WindowsOffset, -40);
  EXPECT_EQ(s.PanelPathLeft, u"/left");
  EXPECT_EQ(s.PanelPathRight, u"/right");
  // Defaults.
  EXPECT_EQ(s.ColorScheme, 3);
  ExpectWhiteScheme(s);
  ExpectSameFont(s.l_, platform::IconTitleFont());
  ExpectSameFont(s.rt_, DefaultTitleFont(platform::OsMajorVersion()));
  EXPECT_EQ(s.FontViewerSize, 1001);
  EXPECT_EQ(s.FontStatusbarFace, 1001);
  EXPECT_EQ(s.PanelShowToolbar, 1);
  EXPECT_EQ(s.PanelLargeIcons, 0);
  EXPECT_EQ(s.ExternalViewer, u"");
  EXPECT_EQ(s.HistoryCount, 10);
  EXPECT_EQ(s.WindowRight, 0);
}

}  // namespace
}  // namespace nrv
