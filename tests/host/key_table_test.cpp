// The precedence and exceptions of the key tables; the bindings themselves are exercised end
// to end.
#include <gtest/gtest.h>

#include "shell/key_table.h"

namespace nrv {
namespace {

KeyState Plain(uint32_t key) { return {key, false, false, false}; }
KeyState Ctrl(uint32_t key) { return {key, true, false, false}; }
KeyState Alt(uint32_t key) { return {key, false, false, true}; }

TEST(PanelKeys, CtrlBeforeShiftAndUnboundKeysDoNothing) {
  EXPECT_EQ(PanelKeyAction({vk::kF8, true, true, false}), PanelKey::SortCreationTime);
  EXPECT_EQ(PanelKeyAction({vk::kF8, false, true, false}), PanelKey::DeletePermanently);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kF8)), PanelKey::DeleteToRecycleBin);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kF11)), PanelKey::None);
  EXPECT_EQ(PanelKeyAction(Ctrl(0x35)), PanelKey::None);     // Ctrl+5
  EXPECT_EQ(PanelKeyAction(Plain(vk::kA)), PanelKey::None);  // letters are typed, not keys
  EXPECT_EQ(PanelKeyAction(Alt(vk::kF3)), PanelKey::None);
}

TEST(LoopKeys, TakenBeforeDispatchWithTheirExceptions) {
  const ShellModes panels{}, viewer{true, false}, editor{false, true};
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF9), panels), LoopKey::Menu);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF9), viewer), LoopKey::None);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), viewer), LoopKey::OtherPanel);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), editor), LoopKey::None);
  EXPECT_EQ(LoopKeyAction(Alt(vk::kF1), panels), LoopKey::LeftLocationMenu);
  EXPECT_EQ(LoopKeyAction(Alt(vk::kF1), editor), LoopKey::Swallow);
  EXPECT_EQ(LoopKeyAction(Alt(0x73), panels), LoopKey::Swallow);  // Alt+F4
  EXPECT_EQ(LoopKeyAction(Plain(vk::kRight), panels), LoopKey::None);
}

TEST(QuickSearch, PrintableCharactersButPlusAndMinus) {
  EXPECT_TRUE(StartsQuickSearch(u'\u0436', false));
  EXPECT_FALSE(StartsQuickSearch(u'a', true));
  EXPECT_FALSE(StartsQuickSearch(u'+', false));
  EXPECT_FALSE(StartsQuickSearch(u'-', false));
  EXPECT_FALSE(StartsQuickSearch(u'\r', false));
}

}  // namespace
}  // namespace nrv
