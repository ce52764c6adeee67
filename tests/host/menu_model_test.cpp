#include <gtest/gtest.h>

#include <set>

#include "shell/command_ids.h"
#include "shell/menu_model.h"
#include "shell/toolbar_model.h"

namespace nrv {
namespace {

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<uint32_t>& out) {
  for (const auto& entry : entries) {
    if (entry.kind == MenuEntry::Kind::Item) out.push_back(entry.command);
    CollectCommands(entry.children, out);
  }
}

TEST(MainMenu, TheRightPanelMenuIsTheLeftOneShiftedAndNoCommandRepeats) {
  const auto menu = MainMenuModel();
  ASSERT_EQ(menu.size(), 5u);
  // The two panel menus differ in their labels as users know them.
  EXPECT_EQ(menu[0].entries[0].text, u"Source\t Alt+F1");
  EXPECT_EQ(menu[4].entries[0].text, u"SourceAlt+F2");
  std::vector<uint32_t> left, right, all;
  CollectCommands(menu[0].entries, left);
  CollectCommands(menu[4].entries, right);
  ASSERT_EQ(left.size(), right.size());
  for (size_t i = 0; i < left.size(); ++i) EXPECT_EQ(right[i], left[i] + 2000);
  for (const auto& popup : menu) CollectCommands(popup.entries, all);
  EXPECT_EQ(std::set<uint32_t>(all.begin(), all.end()).size(), all.size());
  EXPECT_EQ(MenuIconForCommand(command::kViewBrief + 2000), MenuIconForCommand(command::kViewBrief));
  EXPECT_EQ(MenuIconForCommand(command::kDeleteToRecycleBin), 0);
}

TEST(MainMenu, ALongFirstPiecePushesTheKeyRightOfItsEnd) {
  EXPECT_EQ(MenuTextPieces(u"View\t F3"), (std::vector<Text>{u"View", u" F3"}));
  EXPECT_EQ(MenuPieceOffsets({30, 20}, 222), (std::vector<int>{22, 202}));
  EXPECT_EQ(MenuPieceOffsets({195, 20}, 222), (std::vector<int>{22, 217}));
}

TEST(Toolbar, SharedEdgesCountForTheLeftButton) {
  EXPECT_EQ(ToolbarButtonAt(64, 10), 0);
  EXPECT_EQ(ToolbarButtonAt(65, 10), 1);
  EXPECT_EQ(ToolbarButtonAt(734, 20), 11);
  EXPECT_EQ(ToolbarButtonAt(735, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(3, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(100, 21), -1);
}

}  // namespace
}  // namespace nrv
