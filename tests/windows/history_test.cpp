#include <gtest/gtest.h>

#include "config/history.h"
#include "config/settings.h"
#include "platform/registry.h"
#include "platform/registry_text.h"
#include "support/stored_history.h"

namespace nrv {
namespace {

class WineHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    for (int list = 1; list <= 10; ++list) platform::DeleteUserKey(HistoryKeyPath(list));
  }
  void TearDown() override { SetUp(); }

  static std::vector<std::pair<Text, Text>> Stored(int list) { return test::StoredHistory(list); }
};

TEST_F(WineHistory, RewrittenOldestFirstWithCaseInsensitiveDeduplication) {
  AddHistory(kHistoryCopy, u"C:\\Data");
  for (int i = 0; i < 9; ++i) AddHistory(kHistoryCopy, u"C:\\d" + Ascii(std::to_string(i)));
  AddHistory(kHistoryCopy, u"c:\\DATA");  // a case-only duplicate: moves, does not grow
  AddHistory(kHistoryCopy, u"C:\\eleventh");
  const auto stored = Stored(kHistoryCopy);
  ASSERT_EQ(stored.size(), 10u);
  EXPECT_EQ(stored[0], (std::pair<Text, Text>{u"Item0", u"C:\\d1"}));
  EXPECT_EQ(stored[8], (std::pair<Text, Text>{u"Item8", u"c:\\DATA"}));
  EXPECT_EQ(stored[9], (std::pair<Text, Text>{u"Item9", u"C:\\eleventh"}));

  // Stored as REG_SZ of two bytes a character, no terminator.
  platform::RegistryKey key;
  ASSERT_EQ(platform::OpenUserKey(HistoryKeyPath(kHistoryCopy), platform::RegistryAccess::Read, key), 0u);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(platform::QueryValue(key, u"Item9", &type, nullptr, &size), 0u);
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(size, 2u * 11u);
}

TEST_F(WineHistory, MoreThanTenEntriesStayInOrderDespiteNameOrderedEnumeration) {
  TheSettings().HistoryCount = 12;
  for (int i = 0; i < 12; ++i) AddHistory(kHistoryMove, u"D:\\m" + Ascii(std::to_string(i)));
  const auto entries = ReadHistory(kHistoryMove);
  ASSERT_EQ(entries.size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(entries[i], u"D:\\m" + Ascii(std::to_string(i)));
}

TEST_F(WineHistory, ViewerPositionsSurviveInTheRealRegistry) {
  AddHistory(kHistoryViewer, u"C:\\Big.log", 123456789012LL);
  AddHistory(kHistoryViewer, u"c:\\big.LOG", 77);
  EXPECT_EQ(Stored(kHistoryViewer).size(), 1u);
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"C:\\BIG.log"), 77);
}

}  // namespace
}  // namespace nrv
