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

  static std::vector<std::pair<Text, Text>> Stored(int list) { return test::StoredHistory(list); }
};

TEST_F(History, CaseOnlyDuplicateMovesToTheNewestPlaceWithTheNewText) {
  AddHistory(kHistoryCopy, u"C:\\One");
  AddHistory(kHistoryCopy, u"C:\\Two");
  AddHistory(kHistoryCopy, u"c:\\one");
  EXPECT_EQ(Stored(kHistoryCopy),
            (std::vector<std::pair<Text, Text>>{{u"Item0", u"C:\\Two"}, {u"Item1", u"c:\\one"}}));
  EXPECT_EQ(ReadHistory(kHistoryCopy), (std::vector<Text>{u"C:\\Two", u"c:\\one"}));
}

TEST_F(History, TheEleventhEntryPushesOutTheOldestAndRenumbers) {
  for (int i = 0; i < 11; ++i) AddHistory(kHistorySelections, u"*." + Text(1, static_cast<char16_t>(u'a' + i)));
  const auto stored = Stored(kHistorySelections);
  ASSERT_EQ(stored.size(), 10u);
  EXPECT_EQ(stored.front(), (std::pair<Text, Text>{u"Item0", u"*.b"}));
  EXPECT_EQ(stored.back(), (std::pair<Text, Text>{u"Item9", u"*.k"}));

  TheSettings().HistoryCount = 1;
  AddHistory(kHistorySelections, u"*.z");
  EXPECT_EQ(ReadHistory(kHistorySelections), std::vector<Text>{u"*.z"});
  TheSettings().HistoryCount = 0;
  AddHistory(kHistorySelections, u"*.y");
  EXPECT_EQ(ReadHistory(kHistorySelections), std::vector<Text>{u"*.y"});
}

TEST_F(History, LongerListsKeepTheirOrderWhateverTheEnumeration) {
  TheSettings().HistoryCount = 15;
  for (int i = 0; i < 14; ++i) AddHistory(kHistoryFind, u"text" + Ascii(std::to_string(i)));
  const auto entries = ReadHistory(kHistoryFind);
  ASSERT_EQ(entries.size(), 14u);
  EXPECT_EQ(entries[2], u"text2");
  EXPECT_EQ(entries[13], u"text13");
}

TEST_F(History, PositionsKeepOneValuePerFileAndAtMostAHundred) {
  AddHistory(kHistoryViewer, u"C:\\a.txt", 10);
  AddHistory(kHistoryViewer, u"C:\\A.TXT", 5000000000LL);
  EXPECT_EQ(Stored(kHistoryViewer).size(), 1u);
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"c:\\a.txt"), 5000000000LL);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryEditor, u"c:\\a.txt").has_value());
  EXPECT_TRUE(ReadHistory(kHistoryViewer).empty());

  for (int i = 0; i < 100; ++i) AddHistory(kHistoryViewer, u"C:\\f" + Ascii(std::to_string(i)), -i);
  const auto stored = Stored(kHistoryViewer);
  EXPECT_EQ(stored.size(), 100u);
  EXPECT_FALSE(ReadHistoryPosition(kHistoryViewer, u"C:\\a.txt").has_value());
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"C:\\f99"), -99);
}

TEST_F(History, OverlongEntriesReadAsNothingAndUnknownListsAreRefused) {
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
  EXPECT_TRUE(ReadHistory(kHistoryCreateFolder).empty());  // never written
}

TEST_F(History, ARegistryThatRefusesWritesLeavesTheListShorterWithoutComplaint) {
  AddHistory(kHistoryCopy, u"C:\\kept");
  platform::portable::SetRegistryWriteFailure(5);
  EXPECT_EQ(AddHistory(kHistoryCopy, u"C:\\new"), 0);
  platform::portable::SetRegistryWriteFailure(0);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{u"C:\\kept"});
}

}  // namespace
}  // namespace nrv
