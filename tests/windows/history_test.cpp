// The history lists in Wine's real registry, which enumerates values by name rather than in the
// order written. Exact sizes matter: the registry counts a forgotten terminator when a zero
// follows the data.
#include <gtest/gtest.h>

#include "config/history.h"
#include "core/settings.h"
#include "platform/registry.h"
#include "shell/application.h"
#include "support/stored_history.h"

namespace nrv {
namespace {

using namespace platform;

class WineHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    for (int list = 1; list <= 10; ++list) DeleteUserKey(HistoryKeyPath(list));
  }
  void TearDown() override { SetUp(); }
};

TEST_F(WineHistory, MoreThanTenEntriesStayInOrderAsExactTextsAndPositionsSurvive) {
  TheSettings().HistoryCount = 12;
  std::vector<Text> added;
  for (int i = 0; i < 12; ++i) added.push_back(u"D:\\m" + Ascii(std::to_string(i)));
  for (const Text& entry : added) AddHistory(TheSettings(), kHistoryMove, entry);
  EXPECT_EQ(ReadHistory(kHistoryMove), added);
  RegistryKey key;
  uint32_t type = 0, size = 0;
  ASSERT_EQ(OpenUserKey(HistoryKeyPath(kHistoryMove), RegistryAccess::Read, key), 0u);
  ASSERT_EQ(QueryValue(key, u"Item11", &type, nullptr, &size), 0u);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 2u * 6u) << "two bytes a character, no terminator";
  AddHistory(TheSettings(), kHistoryViewer, u"C:\\Big.log", 123456789012LL);
  AddHistory(TheSettings(), kHistoryViewer, u"c:\\big.LOG", 77);
  EXPECT_EQ(test::StoredHistory(kHistoryViewer).size(), 1u);
  EXPECT_EQ(ReadHistoryPosition(kHistoryViewer, u"C:\\BIG.log"), 77);
}

}  // namespace
}  // namespace nrv
