// History limits and refusals. Ordering and de-duplication in the real registry are checked
// under Wine.
#include <gtest/gtest.h>

#include "config/history.h"
#include "config/settings.h"
#include "platform/portable/portable_controls.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "support/stored_history.h"

namespace nrv {
namespace {

class History : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::portable::ResetRegistry();
    TheSettings() = Settings{};
  }
  void TearDown() override { platform::portable::ResetRegistry(); }
};

TEST_F(History, TheOldestEntryGivesWayAtTheLimitOfOneToTen) {
  for (int i = 0; i < 11; ++i) AddHistory(kHistorySelections, u"*." + Text(1, u'a' + i));
  const auto stored = test::StoredHistory(kHistorySelections);
  ASSERT_EQ(stored.size(), 10u);
  EXPECT_EQ(stored.front(), (std::pair<Text, Text>{u"Item0", u"*.b"}));
  EXPECT_EQ(stored.back(), (std::pair<Text, Text>{u"Item9", u"*.k"}));
  TheSettings().HistoryCount = 0;  // still one
  AddHistory(kHistorySelections, u"*.y");
  EXPECT_EQ(ReadHistory(kHistorySelections), std::vector<Text>{u"*.y"});
}

TEST_F(History, PositionsKeepOneValuePerFileAndAtMostAHundred) {
  AddHistory(kHistoryViewer, u"C:\\a.txt", 10);
  AddHistory(kHistoryViewer, u"C:\\A.TXT", 5000000000LL);
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"c:\\a.txt"), 5000000000LL);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryEditor, u"c:\\a.txt").has_value());
  for (int i = 0; i < 100; ++i) AddHistory(kHistoryViewer, u"C:\\f" + Ascii(std::to_string(i)), -i);
  EXPECT_EQ(test::StoredHistory(kHistoryViewer).size(), 100u);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryViewer, u"C:\\a.txt").has_value());
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"C:\\f99"), -99);
}

TEST_F(History, OverlongEntriesUnknownListsAndRefusedWritesGiveNothing) {
  {
    platform::RegistryKey key;
    ASSERT_EQ(platform::CreateUserKey(HistoryKeyPath(kHistoryMove), platform::RegistryAccess::Write, key), 0u);
    platform::SetTextValue(key, u"Item0", Text(300, u'x'));
    platform::SetTextValue(key, u"Item1", u"D:\\ok");
  }
  EXPECT_EQ(ReadHistory(kHistoryMove), std::vector<Text>{u"D:\\ok"});
  EXPECT_EQ(AddHistory(0, u"x"), -1);
  EXPECT_EQ(AddHistory(11, u"x"), -1);
  EXPECT_TRUE(ReadHistory(42).empty());

  AddHistory(kHistoryCopy, u"C:\\kept");
  platform::portable::SetRegistryWriteFailure(5);
  EXPECT_EQ(AddHistory(kHistoryCopy, u"C:\\new"), 0);  // without complaint
  platform::portable::SetRegistryWriteFailure(0);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{u"C:\\kept"});
}

}  // namespace
}  // namespace nrv
