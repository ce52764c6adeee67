// The shell's windows and the panels' painting, read back from real device contexts.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/settings.h"
#include "core/item_list.h"
#include "panel/panel_paint.h"
#include "shell/drawing_objects.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/application.h"
#include "shell/window_procedures.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

TEST(ShellWindows, MadeWithTheirClassesAndPanelsPaintTitlesCursorAndColumnLines) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "no display";
  Settings& settings = TheSettings();
  ApplyDefaults(settings);  // left panel Full, right panel Brief
  ASSERT_EQ(CreateShellWindows(::GetModuleHandleW(nullptr), nullptr), 0);
  ShellWindows& w = TheShellWindows();
  wchar_t name[32] = {};
  ::GetClassNameW(w.main, name, 32);
  EXPECT_STREQ(name, L"WC_NRVMAINWND");
  EXPECT_EQ(test::TextOf(w.main), L"Norvane ");
  EXPECT_TRUE(::IsWindowVisible(w.left));
  EXPECT_FALSE(::IsWindowVisible(w.viewer));

  CreateFixedFontTable(6);
  ASSERT_NE(FixedFont(1002, 1004), nullptr);
  EXPECT_EQ(FixedFont(1003, 1000), nullptr);
  ApplyPanelFonts(settings);
  w.leftDc = platform::KeptDc(w.left);
  w.rightDc = platform::KeptDc(w.right);
  MakePensAndBrushes();
  for (int side : {kLeftPanel, kRightPanel}) {
    Panel& panel = PanelOf(side);
    panel.side = side;
    ViewOf(side).window = side == kLeftPanel ? w.left : w.right;
    ViewOf(side).dc = side == kLeftPanel ? w.leftDc.Get() : w.rightDc.Get();
    panel.viewMode = side == kLeftPanel ? settings.ModePanelLeft : settings.ModePanelRight;
    panel.briefColumns = 2, panel.path = u"C:\\", panel.active = side == kLeftPanel;
    for (const char16_t* item : {u"..", u"sub", u"a.txt"}) Append(ItemsOf(side), NewItem(item));
  }
  TheShellState().windowsCreated = TheApplication().drawing.ready = true;
  LayOutChildren();
  for (int side : {kLeftPanel, kRightPanel}) RepaintPanel(PanelOf(side), ItemsOf(side));
  const Panel& left = PanelOf(kLeftPanel);
  const Panel& right = PanelOf(kRightPanel);
  const auto pixel = [](const Panel& panel, int x, int y) { return ::GetPixel(static_cast<HDC>(DcOf(panel)), x, y); };
  const COLORREF selected = settings.ClrPanelSelectedBackground, background = settings.ClrPanelBackground;
  ASSERT_NE(selected, background);
  EXPECT_EQ(pixel(left, 2, 1), selected) << "the active title";
  EXPECT_EQ(pixel(right, 2, 1), background) << "the inactive title";
  EXPECT_EQ(pixel(left, left.iconSize + 40, left.firstRowY), selected) << "the cursor";
  EXPECT_EQ(pixel(left, left.firstColumnX + left.iconSize + 1, left.firstRowY + 1), background) << "not on the icon";
  EXPECT_EQ(pixel(right, right.iconSize + 40, right.firstRowY), background) << "no cursor when inactive";
  EXPECT_EQ(pixel(right, right.columnWidth + 4, right.firstRowY + 1), settings.ClrPanelText) << "column line";
  TheShellState().windowsCreated = TheApplication().drawing.ready = false;
}

}  // namespace
}  // namespace nrv
