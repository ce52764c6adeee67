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

const MenuEntry* FindText(const std::vector<MenuEntry>& entries, TextView prefix) {
  for (const auto& entry : entries) {
    if (entry.text.compare(0, prefix.size(), prefix) == 0) return &entry;
    if (const MenuEntry* inner = FindText(entry.children, prefix)) return inner;
  }
  return nullptr;
}

TEST(MainMenu, BarOrderAndThePanelMenusQuirks) {
  const auto menu = MainMenuModel();
  ASSERT_EQ(menu.size(), 5u);
  EXPECT_EQ(menu[0].name, u"Left");
  EXPECT_EQ(menu[4].name, u"Right");
  EXPECT_EQ(menu[0].entries[0].text, u"Source\t Alt+F1");
  EXPECT_EQ(menu[4].entries[0].text, u"SourceAlt+F2");
  EXPECT_EQ(FindText(menu[0].entries, u"Name")->text, u"Name\t \u0421trl+F3");
  EXPECT_EQ(FindText(menu[4].entries, u"Name")->text, u"Name\t Ctrl+F3");

  // The right menu is the left one shifted by 2000, item for item.
  std::vector<uint32_t> left, right;
  CollectCommands(menu[0].entries, left);
  CollectCommands(menu[4].entries, right);
  ASSERT_EQ(left.size(), right.size());
  for (size_t i = 0; i < left.size(); ++i) EXPECT_EQ(right[i], left[i] + 2000);
  EXPECT_EQ(FindText(menu[0].entries, u"Size")->command, command::kSortSize);

  // No command appears twice anywhere.
  std::vector<uint32_t> all;
  for (const auto& popup : menu) CollectCommands(popup.entries, all);
  EXPECT_EQ(std::set<uint32_t>(all.begin(), all.end()).size(), all.size());
}

TEST(MainMenu, IconsByCommandForBothPanels) {
  EXPECT_EQ(MenuIconForCommand(command::kViewBrief), 139);
  EXPECT_EQ(MenuIconForCommand(command::kViewBrief + 2000), 139);
  EXPECT_EQ(MenuIconForCommand(command::kSortAccessTime + 2000), 137);
  EXPECT_EQ(MenuIconForCommand(command::kDelete), 131);
  EXPECT_EQ(MenuIconForCommand(command::kDeleteToRecycleBin), 0);
  EXPECT_EQ(MenuIconForCommand(command::kExit), 0);
  EXPECT_EQ(MenuIconForSubmenu(u"Columns (brief mode)"), 142);
}

TEST(MainMenu, MeasuringAndTabLayout) {
  EXPECT_EQ(MeasureMenuItem(true, u"", 0).height, 1);
  EXPECT_EQ(MeasureMenuItem(false, u"Colors", 40).width, 62);
  EXPECT_EQ(MeasureMenuItem(false, u"View\t F3", 999).width, 222);
  EXPECT_EQ(MenuTextPieces(u"View\t F3"), (std::vector<Text>{u"View", u" F3"}));
  EXPECT_EQ(MenuPieceOffsets({30, 20}, 222), (std::vector<int>{22, 202}));
  // A long first piece pushes the last one right of its end.
  EXPECT_EQ(MenuPieceOffsets({195, 20}, 222), (std::vector<int>{22, 217}));
  EXPECT_EQ(MenuPieceOffsets({50}, 222), (std::vector<int>{22}));
}

TEST(Toolbar, SharedEdgesCountForTheLeftButton) {
  EXPECT_EQ(ToolbarButtonAt(64, 10), 0);
  EXPECT_EQ(ToolbarButtons()[0].action, ToolbarAction::Parent);
  EXPECT_EQ(ToolbarButtonAt(65, 10), 1);
  EXPECT_EQ(ToolbarButtonAt(734, 20), 11);
  EXPECT_EQ(ToolbarButtonAt(735, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(3, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(100, 21), -1);
}

}  // namespace
}  // namespace nrv
