#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "config/settings.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "shell/main_menu_win32.h"
#include "shell/menu_model.h"
#include "shell/shell_windows.h"
#include "support/recording_window.h"

namespace nrv {
namespace {

MENUITEMINFOW ItemAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STATE;
  ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info;
}

Text DataText(const MENUITEMINFOW& info) {
  return info.dwItemData ? platform::FromWide(reinterpret_cast<const wchar_t*>(info.dwItemData)) : Text();
}

std::string Narrow(const Text& text) { return std::string(text.begin(), text.end()); }

void ExpectMatchesModel(HMENU menu, const std::vector<MenuEntry>& entries, const std::string& where) {
  ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(entries.size())) << where;
  for (size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& entry = entries[i];
    const MENUITEMINFOW item = ItemAt(menu, static_cast<int>(i));
    const std::string at = where + " / " + Narrow(entry.text) + " #" + std::to_string(i);
    EXPECT_TRUE(item.fType & MFT_OWNERDRAW) << at;
    EXPECT_EQ(DataText(item), entry.text) << at;
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, entry.kind == MenuEntry::Kind::Separator) << at;
    if (entry.kind == MenuEntry::Kind::Item) {
      EXPECT_LE(item.wID, 0xFFFFu) << at;
      EXPECT_EQ(CommandOfMenuId(item.wID), entry.command) << at;
    }
    if (entry.kind == MenuEntry::Kind::Submenu) {
      ASSERT_NE(item.hSubMenu, nullptr) << at;
      ExpectMatchesModel(item.hSubMenu, entry.children, at);
    }
  }
}

void CollectChecked(HMENU menu, std::set<uint32_t>& checked) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const MENUITEMINFOW item = ItemAt(menu, i);
    if (item.fState & MFS_CHECKED) checked.insert(CommandOfMenuId(item.wID));
    if (item.hSubMenu) CollectChecked(item.hSubMenu, checked);
  }
}

std::set<uint32_t> CheckedCommands() {
  std::set<uint32_t> checked;
  CollectChecked(MainMenuBar(), checked);
  return checked;
}

HMENU SubmenuNamed(HMENU popup, const char16_t* name) {
  for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
    const MENUITEMINFOW item = ItemAt(popup, i);
    if (DataText(item) == name) return item.hSubMenu;
  }
  return nullptr;
}

TEST(MainMenu, BarAndPopupsFollowTheModel) {
  ASSERT_EQ(BuildMainMenu(), 0);
  HMENU bar = MainMenuBar();
  const std::vector<MenuPopup> model = MainMenuModel();
  ASSERT_EQ(::GetMenuItemCount(bar), 5);
  for (int i = 0; i < 5; ++i) {
    wchar_t name[32] = {};
    ::GetMenuStringW(bar, static_cast<UINT>(i), name, 32, MF_BYPOSITION);
    EXPECT_EQ(platform::FromWide(name), model[static_cast<size_t>(i)].name);
    const MENUITEMINFOW item = ItemAt(bar, i);
    EXPECT_FALSE(item.fType & MFT_OWNERDRAW) << "bar names are plain text";
    ASSERT_NE(item.hSubMenu, nullptr);
    ExpectMatchesModel(item.hSubMenu, model[static_cast<size_t>(i)].entries, Narrow(model[static_cast<size_t>(i)].name));
  }
  EXPECT_EQ(CommandOfMenuId(MenuIdOfCommand(70012)), 70012u);

  HMENU left = ::GetSubMenu(bar, 0);
  HMENU right = ::GetSubMenu(bar, 4);
  EXPECT_EQ(SubmenusOf(kLeftPanel).mode, SubmenuNamed(left, u"Mode"));
  EXPECT_EQ(SubmenusOf(kLeftPanel).columns, SubmenuNamed(left, u"Columns (brief mode)"));
  EXPECT_EQ(SubmenusOf(kLeftPanel).sort, SubmenuNamed(left, u"Sort mode"));
  EXPECT_EQ(SubmenusOf(kRightPanel).mode, SubmenuNamed(right, u"Mode"));
  EXPECT_EQ(SubmenusOf(kRightPanel).sort, SubmenuNamed(right, u"Sort mode"));
  EXPECT_NE(SubmenusOf(kLeftPanel).sort, SubmenusOf(kRightPanel).sort);
}

TEST(MainMenu, CheckMarksFollowPanelsAndSwitches) {
  ASSERT_EQ(BuildMainMenu(), 0);
  Panel left;
  left.viewMode = kViewFull;
  left.sortMode = kSortWriteTime;
  left.briefColumns = 3;
  left.temporary = 1;
  Panel right;
  right.side = kRightPanel;
  right.viewMode = kViewBrief;
  right.sortMode = kSortSize;
  right.briefColumns = 4;
  Settings settings;
  settings.PanelShowMenu = 1;
  settings.PanelShowToolbar = 0;
  settings.ArrageHorizontal = 1;
  UpdateCheckMarks(left, right, settings);
  EXPECT_EQ(CheckedCommands(), (std::set<uint32_t>{2004, 2012, 2028, 2008, 4002, 4013, 4029, 4007, 7006, 7007}));

  // Every earlier mark goes; an archive panel is neither a file panel nor the temporary one,
  // and codes outside the tables check nothing.
  left.temporary = 0;
  left.archiveOpen = 1;
  left.viewMode = kViewMedium;
  left.sortMode = kSortAccessTime;
  left.briefColumns = 2;
  right.sortMode = 999;
  right.briefColumns = 5;
  settings.PanelShowMenu = 0;
  settings.PanelShowToolbar = 1;
  settings.ArrageHorizontal = 0;
  UpdateCheckMarks(left, right, settings);
  EXPECT_EQ(CheckedCommands(), (std::set<uint32_t>{2003, 2016, 2027, 4002, 4007, 7005}));

  right.sortMode = kSortCreationTime;
  left.sortMode = kSortExtension;
  UpdateCheckMarks(left, right, settings);
  EXPECT_TRUE(CheckedCommands().count(2011));
  EXPECT_TRUE(CheckedCommands().count(4015));
  left.sortMode = kSortName;
  right.sortMode = kSortUnsorted;
  UpdateCheckMarks(left, right, settings);
  EXPECT_TRUE(CheckedCommands().count(2010));
  EXPECT_TRUE(CheckedCommands().count(4014));
}

TEST(MainMenu, AttachFollowsTheSwitchAndRebuildingTakesTheOldBarOff) {
  test::RecordingWindow window;
  if (!window.Get() && !test::HasDisplay()) GTEST_SKIP() << "no display for a top-level window";
  ASSERT_NE(window.Get(), nullptr);
  ASSERT_EQ(BuildMainMenu(), 0);
  AttachMenu(window.Get(), true);
  EXPECT_EQ(::GetMenu(window.Get()), MainMenuBar());
  AttachMenu(window.Get(), false);
  EXPECT_EQ(::GetMenu(window.Get()), nullptr);

  AttachMenu(window.Get(), true);
  HMENU old = MainMenuBar();
  ASSERT_EQ(BuildMainMenu(), 0);
  EXPECT_NE(::GetMenu(window.Get()), old);
  EXPECT_FALSE(::IsMenu(old));
}

TEST(MainMenu, F9ShowsTheBarOnlyWhileTheMenuIsOpen) {
  test::RecordingWindow window;
  if (!window.Get() && !test::HasDisplay()) GTEST_SKIP() << "no display for a top-level window";
  ASSERT_NE(window.Get(), nullptr);
  Settings& settings = TheSettings();
  const uint8_t shown = settings.PanelShowMenu;
  settings.PanelShowMenu = 0;
  ASSERT_EQ(BuildMainMenu(), 0);
  AttachMenu();
  ASSERT_EQ(::GetMenu(window.Get()), nullptr);
  {
    test::MenuDriver driver({});
    OpenMainMenuFromKeyboard();
    EXPECT_GT(test::MenuDriver::Ticks(), 0) << "the menu loop did not run";
    EXPECT_EQ(test::MenuDriver::MenuSeen(), MainMenuBar());
  }
  EXPECT_EQ(::GetMenu(window.Get()), nullptr);

  settings.PanelShowMenu = 1;
  {
    test::MenuDriver driver({});
    OpenMainMenuFromKeyboard();
  }
  EXPECT_EQ(::GetMenu(window.Get()), MainMenuBar());

  TheShellState().viewerOpen = true;
  AttachMenu(window.Get(), false);
  OpenMainMenuFromKeyboard();
  EXPECT_EQ(::GetMenu(window.Get()), nullptr);
  TheShellState().viewerOpen = false;
  settings.PanelShowMenu = shown;
}

// The font the menu code measures and draws with.
HFONT MenuTestFont() {
  if (HFONT font = TheShellWindows().iconTitleFont.Get()) return font;
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int WidthOf(const wchar_t* text) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, MenuTestFont());
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return size.cx;
}

TEST(MainMenuDrawing, MeasuresSeparatorsPlainAndTabbedItems) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(L"");
  ASSERT_TRUE(OnMeasureMenuItem(measure));
  EXPECT_EQ(measure.itemWidth, 0u);
  EXPECT_EQ(measure.itemHeight, 1u);

  measure.itemData = reinterpret_cast<ULONG_PTR>(L"Titles font...");
  OnMeasureMenuItem(measure);
  EXPECT_EQ(static_cast<int>(measure.itemWidth), WidthOf(L"Titles font...") + 22);
  EXPECT_EQ(measure.itemHeight, 22u);

  measure.itemData = reinterpret_cast<ULONG_PTR>(L"Delete to Recycle Bin\t F8");
  OnMeasureMenuItem(measure);
  EXPECT_EQ(measure.itemWidth, 222u);

  measure.CtlType = ODT_BUTTON;
  EXPECT_FALSE(OnMeasureMenuItem(measure));
}

// Draws one item into a bitmap first filled with a colour no scheme uses.
class ItemPicture {
 public:
  static constexpr COLORREF kUntouched = RGB(1, 2, 3);
  ItemPicture(const wchar_t* text, UINT state, int width, int height, UINT id = 5003)
      : screen_(::GetDC(nullptr)), canvas_(screen_, width, height) {
    const RECT all{0, 0, width, height};
    platform::Brush fill(::CreateSolidBrush(kUntouched));
    ::FillRect(canvas_.Dc(), &all, fill.Get());
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemState = state;
    draw.hDC = canvas_.Dc();
    draw.rcItem = all;
    draw.itemData = reinterpret_cast<ULONG_PTR>(text);
    OnDrawMenuItem(draw);
  }
  ~ItemPicture() { ::ReleaseDC(nullptr, screen_); }
  COLORREF At(int x, int y) const { return ::GetPixel(canvas_.Dc(), x, y); }
  // Whether anything other than the colour is found in the columns [from, to).
  bool OnlyColourIn(COLORREF colour, int from, int to) const {
    for (int x = from; x < to; ++x)
      for (int y = 0; y < canvas_.Height(); ++y)
        if (At(x, y) != colour) return false;
    return true;
  }

 private:
  HDC screen_;
  platform::MemoryCanvas canvas_;
};

TEST(MainMenuDrawing, BackgroundsByStateSeparatorLineAndRightAlignedKey) {
  Settings& s = TheSettings();
  const Settings saved = s;
  s.ClrPanelMenuText = RGB(0, 0, 0);
  s.ClrPanelMenuBackgroundDefault = RGB(250, 250, 250);
  s.ClrPanelMenuBackground = RGB(200, 220, 240);
  s.ClrPanelMenuBackgroundChecked = RGB(180, 240, 180);
  s.ClrPanelSelectedBackground = RGB(240, 0, 0);

  EXPECT_EQ(ItemPicture(L"Copy\t F5", 0, 300, 22).At(1, 1), s.ClrPanelMenuBackgroundDefault);
  EXPECT_EQ(ItemPicture(L"Copy\t F5", ODS_SELECTED, 300, 22).At(1, 1), s.ClrPanelMenuBackground);
  EXPECT_EQ(ItemPicture(L"Copy\t F5", ODS_CHECKED, 300, 22).At(1, 1), s.ClrPanelMenuBackgroundChecked);
  EXPECT_EQ(ItemPicture(L"Copy\t F5", ODS_HOTLIGHT, 300, 22).At(1, 1), s.ClrPanelMenuBackgroundChecked);

  // The key is right-aligned: between the end of the name and the key there is only background.
  const ItemPicture tabbed(L"Copy\t F5", 0, 300, 22);
  const int keyStart = 300 - WidthOf(L" F5");
  EXPECT_TRUE(tabbed.OnlyColourIn(s.ClrPanelMenuBackgroundDefault, 22 + WidthOf(L"Copy") + 1, keyStart));
  EXPECT_FALSE(tabbed.OnlyColourIn(s.ClrPanelMenuBackgroundDefault, keyStart, 300));
  EXPECT_FALSE(tabbed.OnlyColourIn(s.ClrPanelMenuBackgroundDefault, 22, 22 + WidthOf(L"Copy")));

  // "Copy" shows icon 128 in the margin; "Invert selection" has none.
  platform::OwnedIcon& copyIcon = TheShellWindows().icons[128 - 121];
  copyIcon = platform::OwnedIcon(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
  EXPECT_FALSE(ItemPicture(L"Copy\t F5", 0, 300, 22).OnlyColourIn(s.ClrPanelMenuBackgroundDefault, 0, 22));
  EXPECT_TRUE(ItemPicture(L"Invert selection", 0, 300, 22, 5012).OnlyColourIn(s.ClrPanelMenuBackgroundDefault, 0, 22));
  copyIcon = platform::OwnedIcon();

  const ItemPicture separator(L"", 0, 50, 9);
  EXPECT_EQ(separator.At(0, 4), s.ClrPanelSelectedBackground);
  EXPECT_EQ(separator.At(49, 4), s.ClrPanelSelectedBackground);
  EXPECT_EQ(separator.At(10, 3), ItemPicture::kUntouched);
  EXPECT_EQ(separator.At(10, 5), ItemPicture::kUntouched);
  s = saved;
}

}  // namespace
}  // namespace nrv
