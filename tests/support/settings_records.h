#pragma once
// Settings records for the store tests of both tiers: one with every field away from its
// default, and field-by-field comparison.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/settings.h"

namespace nrv::test {

inline std::vector<Colour*> Colours(Settings& s) {
  return {&s.ClrPanelBackground, &s.ClrPanelText, &s.ClrPanelHighlightText, &s.ClrPanelStatusbarBackground,
          &s.ClrPanelStatusbarText, &s.ClrPanelSelectedBackground, &s.ClrPanelSelectedText,
          &s.ClrPanelCursorBackground, &s.ClrPanelCursorText, &s.ClrPanelFilesText, &s.ClrPanelFoldersText,
          &s.ClrPanelJunctionFrame, &s.ClrPanelFolderFrame, &s.ClrPanelLongNameFrame, &s.ClrPanelHiddenFilesText,
          &s.ClrPanelArchiveFilesText, &s.ClrPanelExecutableFilesText, &s.ClrPanelToolbarBackground,
          &s.ClrPanelToolbarBackgroundSelected, &s.ClrPanelToolbarText, &s.ClrPanelMenuText,
          &s.ClrPanelMenuBackground, &s.ClrPanelMenuBackgroundDefault, &s.ClrPanelMenuBackgroundChecked,
          &s.ClrPanelTitleBackground, &s.ClrViewerBackground, &s.ClrViewerText, &s.ClrViewerStatusbarBackground,
          &s.ClrViewerStatusbarText, &s.ClrViewerSelectedBackground, &s.ClrViewerSelectedText,
          &s.ClrEditorBackground, &s.ClrEditorText, &s.ClrEditorStatusbarBackground, &s.ClrEditorStatusbarText,
          &s.ClrEditorSelectedBackground, &s.ClrEditorSelectedText};
}

// Every member differs from the others, in member order: char set, clip precision, escapement,
// face, height, italic, orientation, out precision, pitch and family, quality, strike-out,
// underline, weight, width.
inline FontGroup Font(int seed, const char16_t* face) {
  return {seed + 1, seed + 2, seed + 3, face, -(seed + 4), 1, seed + 5, seed + 6, seed + 7, seed + 8, 1, 1, 700 + seed,
          seed + 9};
}

// Every field differs from the defaults and from every other field of its kind.
inline Settings NonDefault() {
  Settings s;
  ApplyDefaults(s);
  uint32_t i = 0;
  for (Colour* c : Colours(s)) *c = 0x00020100u + i++;
  s.ColorScheme = 4;
  s.WindowLeft = -8, s.WindowTop = -7, s.WindowRight = 1930, s.WindowBottom = 1090;
  s.FontPanelSizeLeft = 1000, s.FontPanelFaceLeft = 1002, s.FontPanelSizeRight = 1002, s.FontPanelFaceRight = 1003;
  s.FontViewerSize = 1000, s.FontViewerFace = 1004, s.FontStatusbarSize = 1002, s.FontStatusbarFace = 1000;
  s.SortPanelLeft = 1003, s.SortPanelRight = 1006, s.ModePanelLeft = 1000, s.ModePanelRight = 1001;
  s.ModePanelLeftColumns = 3, s.ModePanelRightColumns = 4, s.PanelContextMenuTimer = 750;
  s.PanelShowToolbar = 0, s.PanelShowMenu = 0, s.PanelAutoUpdatePanels = 0, s.PanelAutoUpdateNetwork = 1;
  s.PanelShowFreeSize = 0, s.PanelShowFreeSizeNetwork = 1, s.PanelShowFileOwners = 1, s.PanelScrollColumns = 1;
  s.PanelSelectFolders = 1, s.PanelDeleteRecycle = 0, s.PanelAllowDragdrop = 0, s.PanelAllowSysmenu = 0;
  s.PanelShowTooltips = 0, s.PanelShowPanelStatusbar = 0, s.PanelShowIcons = 0, s.PanelLargeIcons = 1;
  s.l_ = Font(10, u"Arial"), s.lt_ = Font(20, u"Lucida Console"), s.r_ = Font(30, u"Segoe UI");
  s.rt_ = Font(40, u"Terminal");
  s.WindowsOffset = -33;
  s.PanelPathLeft = u"C:\\Left folder";
  s.PanelPathRight = u"D:\\\u0420\u0443\u0441\u0441\u043a\u0438\u0439";  // non-ASCII
  s.ArrageHorizontal = 1;
  s.ExternalViewer = u"C:\\Tools\\view.exe", s.UseExternalViewer = 1, s.ViewerSavePosition = 0;
  s.ExternalEditor = u"C:\\Tools\\edit.exe", s.UseExternalEditor = 1, s.EditorWordWrap = 1;
  s.EditorSavePosition = 0, s.HistoryCount = 42;
  return s;
}

inline void ExpectSameFont(const FontGroup& a, const FontGroup& b) {
  const auto fields = [](const FontGroup& f) {
    return std::tie(f.lfCharSet, f.lfClipPrecision, f.lfEscapement, f.lfFaceName, f.lfHeight, f.lfItalic,
                    f.lfOrientation, f.lfOutPrecision, f.lfPitchAndFamily, f.lfQuality, f.lfStrikeOut, f.lfUnderline,
                    f.lfWeight, f.lfWidth);
  };
  EXPECT_EQ(fields(a), fields(b));
}

inline void ExpectSame(Settings a, Settings b) {
  const auto ca = Colours(a), cb = Colours(b);
  for (size_t i = 0; i < ca.size(); ++i) EXPECT_EQ(*ca[i], *cb[i]) << "colour " << i;
#define SAME(field) EXPECT_EQ(a.field, b.field) << #field
  SAME(WindowLeft); SAME(WindowTop); SAME(WindowRight); SAME(WindowBottom); SAME(ColorScheme);
  SAME(FontPanelSizeLeft); SAME(FontPanelFaceLeft); SAME(FontPanelSizeRight); SAME(FontPanelFaceRight);
  SAME(FontViewerSize); SAME(FontViewerFace); SAME(FontStatusbarSize); SAME(FontStatusbarFace);
  SAME(SortPanelLeft); SAME(SortPanelRight); SAME(ModePanelLeft); SAME(ModePanelRight);
  SAME(ModePanelLeftColumns); SAME(ModePanelRightColumns); SAME(PanelContextMenuTimer);
  SAME(PanelShowToolbar); SAME(PanelShowMenu); SAME(PanelAutoUpdatePanels); SAME(PanelAutoUpdateNetwork);
  SAME(PanelShowFreeSize); SAME(PanelShowFreeSizeNetwork); SAME(PanelShowFileOwners); SAME(PanelScrollColumns);
  SAME(PanelSelectFolders); SAME(PanelDeleteRecycle); SAME(PanelAllowDragdrop); SAME(PanelAllowSysmenu);
  SAME(PanelShowTooltips); SAME(PanelShowPanelStatusbar); SAME(PanelShowIcons); SAME(PanelLargeIcons);
  SAME(WindowsOffset); SAME(PanelPathLeft); SAME(PanelPathRight); SAME(ArrageHorizontal);
  SAME(ExternalViewer); SAME(UseExternalViewer); SAME(ViewerSavePosition); SAME(ExternalEditor);
  SAME(UseExternalEditor); SAME(EditorWordWrap); SAME(EditorSavePosition); SAME(HistoryCount);
#undef SAME
  for (auto font : {&Settings::l_, &Settings::lt_, &Settings::r_, &Settings::rt_}) ExpectSameFont(a.*font, b.*font);
}

}  // namespace nrv::test
