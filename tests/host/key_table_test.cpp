#include <gtest/gtest.h>

#include "shell/command_ids.h"
#include "shell/key_table.h"

namespace nrv {
namespace {

KeyState Plain(uint32_t key) { return {key, false, false, false}; }
KeyState Ctrl(uint32_t key) { return {key, true, false, false}; }
KeyState Shift(uint32_t key) { return {key, false, true, false}; }

TEST(PanelKeys, FunctionKeysChangeMeaningWithTheirModifier) {
  EXPECT_EQ(PanelKeyAction(Plain(vk::kF3)), PanelKey::View);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kF3)), PanelKey::SortName);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kF5)), PanelKey::Copy);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kF5)), PanelKey::SortWriteTime);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kF6)), PanelKey::SortSize);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kF7)), PanelKey::SortUnsorted);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kF11)), PanelKey::SortAccessTime);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kF8)), PanelKey::DeleteToRecycleBin);
  EXPECT_EQ(PanelKeyAction(Shift(vk::kF8)), PanelKey::DeletePermanently);
  EXPECT_EQ(PanelKeyAction(Shift(vk::kDelete)), PanelKey::DeletePermanently);
  // Ctrl is tested before Shift.
  EXPECT_EQ(PanelKeyAction({vk::kF8, true, true, false}), PanelKey::SortCreationTime);
  EXPECT_EQ(PanelKeyAction(Shift(vk::kF1)), PanelKey::AddToArchive);
  EXPECT_EQ(PanelKeyAction(Shift(vk::kF2)), PanelKey::ExtractFromArchive);
}

TEST(PanelKeys, KeysWithoutARowDoNothing) {
  for (uint32_t key : {vk::kF1, vk::kF2, vk::kF11}) EXPECT_EQ(PanelKeyAction(Plain(key)), PanelKey::None);
  EXPECT_EQ(PanelKeyAction(Ctrl(0x35)), PanelKey::None);  // Ctrl+5
  EXPECT_EQ(PanelKeyAction(Ctrl(0x36)), PanelKey::None);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kA)), PanelKey::None);  // letters are typed, not keys
  EXPECT_EQ(PanelKeyAction({vk::kF3, false, false, true}), PanelKey::None);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kInsert)), PanelKey::CopyNames);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kInsert)), PanelKey::ToggleAndDown);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::k4)), PanelKey::NextBriefColumns);
  EXPECT_EQ(PanelKeyAction(Ctrl(vk::kU)), PanelKey::DeselectAll);
}

TEST(LoopKeys, TakenBeforeDispatchWithTheirExceptions) {
  const ShellModes panels{};
  const ShellModes viewer{true, false};
  const ShellModes editor{false, true};
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF10), panels), LoopKey::Quit);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF9), panels), LoopKey::Menu);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF9), viewer), LoopKey::None);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), viewer), LoopKey::OtherPanel);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), editor), LoopKey::None);
  EXPECT_EQ(LoopKeyAction({vk::kReturn, false, false, true}, panels), LoopKey::FullScreen);
  EXPECT_EQ(LoopKeyAction({vk::kF1, false, false, true}, panels), LoopKey::LeftLocationMenu);
  EXPECT_EQ(LoopKeyAction({vk::kF2, false, false, true}, panels), LoopKey::RightLocationMenu);
  EXPECT_EQ(LoopKeyAction({vk::kF1, false, false, true}, editor), LoopKey::Swallow);
  EXPECT_EQ(LoopKeyAction({0x73, false, false, true}, panels), LoopKey::Swallow);  // Alt+F4
  EXPECT_EQ(LoopKeyAction(Ctrl(vk::kRight), panels), LoopKey::SplitterRight);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kRight), panels), LoopKey::None);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kReturn), panels), LoopKey::None);
}

TEST(QuickSearch, PrintableCharactersButPlusAndMinus) {
  EXPECT_TRUE(StartsQuickSearch(u'a', false));
  EXPECT_TRUE(StartsQuickSearch(u'\u0436', false));
  EXPECT_FALSE(StartsQuickSearch(u'a', true));
  EXPECT_FALSE(StartsQuickSearch(u'+', false));
  EXPECT_FALSE(StartsQuickSearch(u'-', false));
  EXPECT_FALSE(StartsQuickSearch(u'\r', false));
  EXPECT_FALSE(StartsQuickSearch(u'\b', false));
}

TEST(CommandIds, PanelMenusMapToTheirSide) {
  EXPECT_EQ(command::SplitPanelCommand(4013).leftId, command::kSortSize);
  EXPECT_EQ(command::SplitPanelCommand(4013).side, 2);
  EXPECT_EQ(command::SplitPanelCommand(2029).side, 1);
  EXPECT_EQ(command::SplitPanelCommand(5003).side, 0);
  EXPECT_EQ(command::kUpdateFileLists, 0x000C0C27u);
}

}  // namespace
}  // namespace nrv
