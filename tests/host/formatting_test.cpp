#include <gtest/gtest.h>

#include "support/test_context.h"

#include <cstdint>
#include <limits>

#include "core/settings.h"
#include "core/formatting.h"
#include "platform/files.h"

namespace nrv {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

// FILETIME of a UTC moment given as seconds since 1970 (host tests run with TZ=UTC).
constexpr uint64_t FileTimeOfUnix(int64_t seconds) {
  return static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL;
}
constexpr uint64_t k2026January1At0905 = FileTimeOfUnix(1767225600 + 9 * 3600 + 5 * 60);

Text Info(int64_t size, uint32_t attributes = 0x20, TextView name = u"f") {
  PanelItem* item = NewItem(name);
  item->attributes = attributes, item->size = size;
  const Text text(InfoText(*item));
  FreeItem(item);
  return text;
}

TEST(InfoText, SizeFormsAndTheirBoundaries) {
  EXPECT_EQ(Info(1000000), u"   977 K");   // 976.56 rounds up
  EXPECT_EQ(Info(1000959), u"   977 K");   // 977.499
  EXPECT_EQ(Info(1000960), u"   978 K");   // 977.5: halves go up
  EXPECT_EQ(Info(9999999), u"  9766 K");
  EXPECT_EQ(Info(10000000), u"    10 M");
  EXPECT_EQ(Info(11010047), u"    10 M");  // 10.5 M less one byte
  EXPECT_EQ(Info(11010048), u"    11 M");
  EXPECT_EQ(Info(kMax), u" 8796093022208 M");
  EXPECT_EQ(Info(-5), u"      -5");
  EXPECT_EQ(Info(kMin), u" -9223372036854775808");
  EXPECT_EQ(Info(-2, 0x10, u".."), u"      Up");
  // The reparse point wins over the folder bit, and over a file's size.
  EXPECT_EQ(Info(-1, 0x410), u"   Junc.");
  EXPECT_EQ(Info(123456789, 0x420), u"   Junc.");
}

TEST(ShortAndGroupedSize, UnitsRoundingAndSigns) {
  EXPECT_EQ(Text(ShortSize(1000000)), u"977 K");
  EXPECT_EQ(Text(ShortSize(999999999)), u"954 M");
  EXPECT_EQ(Text(ShortSize(1000000000)), u"1 G");
  EXPECT_EQ(Text(ShortSize(1610612735)), u"1 G");  // 1.5 G less one byte
  EXPECT_EQ(Text(ShortSize(1610612736)), u"2 G");
  EXPECT_EQ(Text(ShortSize(kMax)), u"8589934592 G");
  EXPECT_EQ(Text(ShortSize(kMin)), u"-9223372036854775808");

  EXPECT_EQ(Text(GroupedSize(1000)), u"1 000");
  EXPECT_EQ(Text(GroupedSize(-123456)), u"-123 456");
  EXPECT_EQ(Text(GroupedSize(kMax)), u"9 223 372 036 854 775 807");
  EXPECT_EQ(Text(GroupedSize(kMin)), u"-9 223 372 036 854 775 808");
}

TEST(DateText, DayMonthTwoDigitYearAndTimeUpToTheLastFileTime) {
  EXPECT_EQ(Text(DateText(k2026January1At0905 + 59 * 10000000ULL + 9999999)), u"01.01.26 09:05");
  EXPECT_EQ(Text(DateText(FileTimeOfUnix(946684800 - 60))), u"31.12.99 23:59");
  EXPECT_EQ(Text(DateText(FileTimeOfUnix(946684800))), u"01.01.00 00:00");
  // The earliest FILETIME is in 1601; a year past 9999 has no year part.
  EXPECT_EQ(Text(DateText(0)), u"01.01.01 00:00");
  EXPECT_EQ(Text(DateText(0x7FFFFFFFFFFFFFFFULL)), u"14.09. 02:48");
}

class StatusTexts : public ::testing::Test {
 protected:
  void SetUp() override { test::TestSettings() = Settings{}; }
  void TearDown() override { test::TestSettings() = Settings{}; }
  Panel panel = AttachedPanel();
};

TEST_F(StatusTexts, SelectionAndTotalsLinesUpToTheLargestNumbers) {
  EXPECT_EQ(Text(SelectionLine(panel)), u" ");
  panel.selectedFiles = 3;
  panel.selectedFolders = 1;
  panel.selectedBytes = 1234567;
  EXPECT_EQ(Text(SelectionLine(panel)), u"1206 K (1 234 567) in 4 items (1 folders 3 files)");

  panel.totalBytes = 2000010;
  panel.fileCount = 2;
  panel.folderCount = 1;
  panel.freeBytes = 5000000000;
  panel.drive.type = platform::kDriveFixed;
  EXPECT_EQ(Text(TotalsLine(panel)), u"1953 K (2 000 010) 2 files 1 folders. Free 5 G (5 000 000 000)");
  panel.drive.type = platform::kDriveRemote;
  EXPECT_EQ(Text(TotalsLine(panel)), u"1953 K (2 000 010) 2 files 1 folders.");
  panel.drive.type = platform::kDriveFixed;
  panel.totalBytes = panel.freeBytes = kMax;
  panel.fileCount = 2147483647;
  EXPECT_EQ(Text(TotalsLine(panel)),
            u"8589934592 G (9 223 372 036 854 775 807) 2147483647 files 1 folders. "
            u"Free 8589934592 G (9 223 372 036 854 775 807)");
}

}  // namespace
}  // namespace nrv
