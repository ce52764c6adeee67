#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "config/settings.h"
#include "platform/win32/wide.h"
#include "core/item_list.h"
#include "panel/panel_paint.h"
#include "shell/drawing_objects.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/shell_windows.h"
#include "shell/window_procedures.h"

namespace nrv {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

RECT ChildRect(HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(ShellFonts, FixedTableMakesFifteenFontsAsDescribed) {
  CreateFixedFontTable(6);
  for (int32_t face = 1000; face <= 1004; ++face) {
    for (int32_t size = 1000; size <= 1002; ++size) {
      HFONT font = FixedFont(size, face);
      ASSERT_NE(font, nullptr) << size << " " << face;
      LOGFONTW made{};
      ASSERT_EQ(::GetObjectW(font, sizeof(made), &made), static_cast<int>(sizeof(made)));
      const platform::FontDescription expected = FixedFontDescription(size, face, 6);
      EXPECT_EQ(made.lfHeight, expected.lfHeight);
      EXPECT_EQ(made.lfWidth, expected.lfWidth);
      EXPECT_EQ(made.lfWeight, expected.lfWeight);
      EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
      EXPECT_EQ(platform::FromWide(made.lfFaceName), expected.lfFaceName);
    }
  }
  EXPECT_EQ(FixedFont(1003, 1000), nullptr);

  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ original = ::GetCurrentObject(dc, OBJ_FONT);
  SelectFixedFont(dc, 1000, 999);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), original);
  SelectFixedFont(dc, 1001, 1003);
  EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), FixedFont(1001, 1003));
  ::SelectObject(dc, original);
  ::DeleteDC(dc);
}

TEST(ShellFonts, DescriptionsSurviveTheTripThroughLogfont) {
  platform::FontDescription d;
  d.lfFaceName = u"Courier New";
  d.lfHeight = -13;
  d.lfWeight = 700;
  d.lfItalic = 1;
  d.lfCharSet = 204;
  d.lfPitchAndFamily = 0x31;
  d.lfQuality = 5;
  const platform::FontDescription back = FromLogFont(ToLogFont(d));
  EXPECT_EQ(back.lfFaceName, d.lfFaceName);
  EXPECT_EQ(back.lfHeight, d.lfHeight);
  EXPECT_EQ(back.lfWeight, d.lfWeight);
  EXPECT_EQ(back.lfItalic, d.lfItalic);
  EXPECT_EQ(back.lfCharSet, d.lfCharSet);
  EXPECT_EQ(back.lfPitchAndFamily, d.lfPitchAndFamily);
  EXPECT_EQ(back.lfQuality, d.lfQuality);

  d.lfFaceName = Text(40, u'f');  // longer than a LOGFONT holds
  EXPECT_EQ(FromLogFont(ToLogFont(d)).lfFaceName.size(), static_cast<size_t>(LF_FACESIZE - 1));
}

// The classes can be registered once per process, so the windows are made once for every test.
int ShellWindowsMade() {
  static const int created = [] {
    Settings& settings = TheSettings();
    ApplyDefaults(settings);
    return CreateShellWindows(::GetModuleHandleW(nullptr), nullptr);
  }();
  return created;
}

class ShellWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine without an X display cannot make top-level windows.
    if (ShellWindowsMade() == -11 && !std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_EQ(ShellWindowsMade(), 0);
  }
};

TEST_F(ShellWindowsTest, ClassesWindowsAndPanelPlacement) {
  Settings& settings = TheSettings();
  ShellWindows& w = TheShellWindows();
  EXPECT_EQ(ClassOf(w.main), L"WC_NRVMAINWND");
  EXPECT_EQ(ClassOf(w.left), L"WC_NRVPANEL_LEFT");
  EXPECT_EQ(ClassOf(w.right), L"WC_NRVPANEL_RIGHT");
  EXPECT_EQ(ClassOf(w.viewer), L"WC_NRVVIEWER");
  EXPECT_TRUE(::IsWindowVisible(w.left));
  EXPECT_FALSE(::IsWindowVisible(w.viewer));
  EXPECT_FALSE(::IsWindowVisible(w.viewerVerticalBar));
  EXPECT_FALSE(::IsWindowVisible(w.viewerHorizontalBar));
  wchar_t title[32] = {};
  ::GetWindowTextW(w.main, title, 32);
  EXPECT_STREQ(title, L"Norvane ");

  const ShellRect expected = DefaultWindowRect(::GetSystemMetrics(SM_CYSCREEN));
  RECT outer{};
  ::GetWindowRect(w.main, &outer);
  EXPECT_EQ(outer.left, expected.x);
  EXPECT_EQ(outer.top, expected.y);
  EXPECT_EQ(outer.right - outer.left, expected.width);
  EXPECT_EQ(outer.bottom - outer.top, expected.height);

  TheShellState().windowsOffset = 20;
  LayOutChildren();
  const ShellState& state = TheShellState();
  const int32_t half = state.clientWidth / 2;
  RECT left = ChildRect(w.left);
  RECT right = ChildRect(w.right);
  EXPECT_EQ(left.left, 0);
  EXPECT_EQ(left.top, kToolbarHeight);
  EXPECT_EQ(left.right, static_cast<int32_t>(half + 0.2 * half));
  EXPECT_EQ(right.left, left.right);
  EXPECT_EQ(left.bottom, state.clientHeight - state.charHeight);

  settings.ArrageHorizontal = 1;
  settings.PanelShowToolbar = 0;
  TheShellState().windowsOffset = 0;
  LayOutChildren();
  left = ChildRect(w.left);
  right = ChildRect(w.right);
  EXPECT_EQ(left.top, 0);
  EXPECT_EQ(left.right, state.clientWidth);
  EXPECT_EQ(right.top, left.bottom);
  settings.ArrageHorizontal = 0;
  settings.PanelShowToolbar = 1;
}

COLORREF PixelOf(const Panel& panel, int x, int y) { return ::GetPixel(static_cast<HDC>(panel.dc), x, y); }

PanelItem* Item(const char16_t* name, uint32_t attributes, int64_t size) {
  PanelItem* item = NewItem(name);
  item->attributes = attributes;
  item->size = size;
  return item;
}

TEST_F(ShellWindowsTest, PanelsDrawTitlesCursorStatusAreaAndColumnLines) {
  Settings& settings = TheSettings();
  ApplyDefaults(settings);  // scheme 3, left panel Full, right panel Brief with two columns
  ShellWindows& w = TheShellWindows();
  ShellState& state = TheShellState();
  CreateFixedFontTable(6);
  ApplyPanelFonts(settings);
  w.mainDc = platform::KeptDc(w.main);
  w.leftDc = platform::KeptDc(w.left);
  w.rightDc = platform::KeptDc(w.right);
  MakePensAndBrushes();
  SelectFixedFont(w.mainDc.Get(), settings.FontStatusbarSize, settings.FontStatusbarFace);
  for (int side : {kLeftPanel, kRightPanel}) {
    Panel& panel = PanelOf(side);
    panel.side = side;
    panel.window = side == kLeftPanel ? w.left : w.right;
    panel.dc = side == kLeftPanel ? w.leftDc.Get() : w.rightDc.Get();
    panel.viewMode = side == kLeftPanel ? settings.ModePanelLeft : settings.ModePanelRight;
    panel.briefColumns = 2;
    panel.path = u"C:\\";
    panel.active = side == kLeftPanel;
    ItemList& items = ItemsOf(side);
    ClearItems(items);
    Append(items, Item(u"..", FILE_ATTRIBUTE_DIRECTORY, -2));
    Append(items, Item(u"sub", FILE_ATTRIBUTE_DIRECTORY, -1));
    Append(items, Item(u"a.txt", FILE_ATTRIBUTE_ARCHIVE, 12));
  }
  state.windowsOffset = 0;
  state.windowsCreated = true;
  LayOutChildren();
  for (int side : {kLeftPanel, kRightPanel}) RepaintPanel(PanelOf(side), ItemsOf(side));

  const Panel& left = PanelOf(kLeftPanel);
  const Panel& right = PanelOf(kRightPanel);
  const COLORREF selected = settings.ClrPanelSelectedBackground;
  const COLORREF background = settings.ClrPanelBackground;
  ASSERT_EQ(selected, RGB(125, 171, 255));
  EXPECT_EQ(PixelOf(left, 2, 1), selected) << "the active title";
  EXPECT_EQ(PixelOf(right, 2, 1), background) << "the inactive title";

  // The cursor row: the name area takes the cursor colour, the icon area never does.
  EXPECT_EQ(PixelOf(left, left.iconSize + 40, left.firstRowY), selected);
  EXPECT_EQ(PixelOf(left, left.firstColumnX + left.iconSize + 1, left.firstRowY + 1), background);
  EXPECT_EQ(PixelOf(right, right.iconSize + 40, right.firstRowY), background) << "no cursor when inactive";

  // Status area, the line above it and the left panel's edge line.
  const RECT client = [&] {
    RECT r{};
    ::GetClientRect(w.left, &r);
    return r;
  }();
  ASSERT_FALSE(left.statusHidden);
  EXPECT_EQ(PixelOf(left, 2, client.bottom - 2), settings.ClrPanelTitleBackground);
  EXPECT_EQ(PixelOf(left, 2, client.bottom - left.statusHeight), settings.ClrPanelText);
  EXPECT_EQ(PixelOf(left, client.right - 1, client.bottom / 2), settings.ClrPanelText);

  // Brief with two columns: one separator line.
  EXPECT_EQ(PixelOf(right, right.columnWidth + 4, right.firstRowY + 1), settings.ClrPanelText);
  EXPECT_EQ(PixelOf(right, right.columnWidth + 4 + right.columnWidth + right.columnGap, right.firstRowY + 1),
            background);

  EXPECT_EQ(left.current.name, u"..");
  EXPECT_EQ(left.visibleCount, 3);
  state.windowsCreated = false;
}

}  // namespace
}  // namespace nrv
