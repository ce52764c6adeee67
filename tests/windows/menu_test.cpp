// The main menu bar as Win32 holds it: built from the model, its check marks, owner drawing,
// and the toolbar's popups. The Options switches and F9 are played end to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <tuple>

#include "core/settings.h"
#include "config/settings_store.h"
#include "platform/registry.h"
#include "platform/win32/wide.h"
#include "shell/command_ids.h"
#include "shell/main_menu_win32.h"
#include "shell/menu_model.h"
#include "shell/application.h"
#include "shell/toolbar_clicks_win32.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

MENUITEMINFOW ItemAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STATE;
  ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info;
}

void ExpectMatchesModel(HMENU menu, const std::vector<MenuEntry>& entries, const std::string& where) {
  ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(entries.size())) << where;
  for (size_t i = 0; i < entries.size(); ++i) {
    const MENUITEMINFOW item = ItemAt(menu, static_cast<int>(i));
    const std::string at = where + " #" + std::to_string(i);
    EXPECT_TRUE(item.fType & MFT_OWNERDRAW) << at;
    EXPECT_EQ(platform::FromWide(reinterpret_cast<const wchar_t*>(item.dwItemData)), entries[i].text) << at;
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, entries[i].kind == MenuEntry::Kind::Separator) << at;
    if (entries[i].kind == MenuEntry::Kind::Item) {
      EXPECT_LE(item.wID, 0xFFFFu) << at << ": a command message carries 16 bits";
      EXPECT_EQ(CommandOfMenuId(item.wID), entries[i].command) << at;
    }
    if (entries[i].kind == MenuEntry::Kind::Submenu) ExpectMatchesModel(item.hSubMenu, entries[i].children, at);
  }
}

std::set<uint32_t> CheckedCommands(HMENU menu = MainMenuBar()) {
  std::set<uint32_t> checked;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const MENUITEMINFOW item = ItemAt(menu, i);
    if (item.fState & MFS_CHECKED) checked.insert(CommandOfMenuId(item.wID));
    if (item.hSubMenu) checked.merge(CheckedCommands(item.hSubMenu));
  }
  return checked;
}

// Settings, panel and shell state that a test changes come back afterwards.
class MainMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings().PanelShowToolbar = TheSettings().PanelShowMenu = 1;
    PanelOf(kLeftPanel).side = kLeftPanel, PanelOf(kRightPanel).side = kRightPanel;
    ASSERT_EQ(BuildMainMenu(), 0);
  }
  void TearDown() override {
    TheSettings() = settings_, TheShellState() = state_;
    for (int side : {kLeftPanel, kRightPanel}) {
      Panel& panel = PanelOf(side);
      panel.viewMode = kViewBrief, panel.sortMode = kSortName, panel.briefColumns = 2;
      panel.temporary = panel.active = 0;
    }
  }

 private:
  Settings settings_ = TheSettings();
  ShellState state_ = TheShellState();
};

TEST_F(MainMenu, BuiltFromTheModelWithEveryPanelsSubmenusAtHand) {
  const std::vector<MenuPopup> model = MainMenuModel();
  ASSERT_EQ(::GetMenuItemCount(MainMenuBar()), static_cast<int>(model.size()));
  for (size_t i = 0; i < model.size(); ++i) {
    wchar_t name[32] = {};
    ::GetMenuStringW(MainMenuBar(), static_cast<UINT>(i), name, 32, MF_BYPOSITION);
    EXPECT_EQ(platform::FromWide(name), model[i].name);
    EXPECT_FALSE(ItemAt(MainMenuBar(), static_cast<int>(i)).fType & MFT_OWNERDRAW) << "bar names are plain text";
    ExpectMatchesModel(::GetSubMenu(MainMenuBar(), static_cast<int>(i)), model[i].entries, ToUtf8(model[i].name));
  }
  EXPECT_EQ(CommandOfMenuId(MenuIdOfCommand(70012)), 70012u);
  const auto holds = [](HMENU menu, uint32_t command) {
    return ::GetMenuState(menu, MenuIdOfCommand(command), MF_BYCOMMAND) != static_cast<UINT>(-1);
  };
  EXPECT_TRUE(holds(SubmenusOf(kLeftPanel).sort, command::kSortName));
  EXPECT_FALSE(holds(SubmenusOf(kLeftPanel).sort, command::kSortName + command::kRightPanelOffset));
  EXPECT_TRUE(holds(SubmenusOf(kRightPanel).mode, command::kViewBrief + command::kRightPanelOffset));
}

TEST_F(MainMenu, CheckMarksFollowPanelsAndSwitchesAndEarlierMarksGo) {
  Panel left = test::ApplicationPanel(), right = test::ApplicationPanel();
  left.viewMode = kViewFull, left.sortMode = kSortWriteTime, left.briefColumns = 3, left.temporary = 1;
  right.side = kRightPanel, right.viewMode = kViewBrief, right.sortMode = kSortSize, right.briefColumns = 4;
  Settings settings;
  settings.PanelShowMenu = 1, settings.PanelShowToolbar = 0, settings.ArrageHorizontal = 1;
  UpdateCheckMarks(left, right, settings);
  EXPECT_EQ(CheckedCommands(), (std::set<uint32_t>{2004, 2012, 2028, 2008, 4002, 4013, 4029, 4007, 7006, 7007}));

  // An archive panel is neither a file panel nor the temporary one; codes outside the tables check nothing.
  left.temporary = 0, left.archiveOpen = 1, left.viewMode = kViewMedium, left.sortMode = kSortAccessTime;
  left.briefColumns = 2, right.sortMode = 999, right.briefColumns = 5;
  settings.PanelShowMenu = 0, settings.PanelShowToolbar = 1, settings.ArrageHorizontal = 0;
  UpdateCheckMarks(left, right, settings);
  EXPECT_EQ(CheckedCommands(), (std::set<uint32_t>{2003, 2016, 2027, 4002, 4007, 7005}));
}

TEST_F(MainMenu, OwnerDrawnItemsAreMeasuredForTheirTextAndKey) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(L"");
  ASSERT_TRUE(OnMeasureMenuItem(measure));
  EXPECT_EQ(measure.itemWidth, 0u);
  EXPECT_EQ(measure.itemHeight, 1u);
  measure.itemData = reinterpret_cast<ULONG_PTR>(L"Delete to Recycle Bin\t F8");
  OnMeasureMenuItem(measure);
  EXPECT_EQ(measure.itemWidth, 222u);
  EXPECT_EQ(measure.itemHeight, 22u);
}

TEST_F(MainMenu, ToolbarPopsUpTheActivePanelsSubmenuAndItsChoiceArrivesAsTheCommand) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "no display for a top-level window";
  const test::StandInWindow window({10, 20, 810, 520}, true);
  PanelOf(kLeftPanel).active = PanelOf(kRightPanel).active = 0;
  OnToolbarClick(190, 5);
  EXPECT_TRUE(test::Record().popups.empty()) << "no active panel, no popup";

  PanelOf(kRightPanel).active = 1;
  {
    test::Driver driver({[&](HWND) { test::PostKey(window.Get(), VK_DOWN), test::PostKey(window.Get(), VK_RETURN); }},
                        false);
    OnToolbarClick(130, 5);
  }
  EXPECT_EQ(test::Record().popups, std::vector<HMENU>{SubmenusOf(kRightPanel).mode});
  ASSERT_EQ(test::Record().commands.size(), 1u);
  EXPECT_EQ(LOWORD(test::Record().commands[0].first), command::kViewBrief + command::kRightPanelOffset);
}

}  // namespace
}  // namespace nrv
