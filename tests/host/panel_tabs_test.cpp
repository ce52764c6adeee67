// Folder tabs: the list rules, the saved values through the registry and back, what a restart
// makes of tabs whose folders went away, and the labels of the tab row.
#include <gtest/gtest.h>

#include <set>

#include "support/test_context.h"

#include "config/tab_store.h"
#include "core/layout.h"
#include "core/panel_tabs.h"
#include "platform/portable/portable_controls.h"

namespace nrv {
namespace {

PanelTab LocalTab(TextView path) {
  PanelTab tab;
  tab.path = Text(path);
  return tab;
}

PanelTabs ListOf(std::initializer_list<const char16_t*> paths, int32_t current) {
  PanelTabs list;
  for (const char16_t* path : paths) list.tabs.push_back(LocalTab(path));
  list.current = current;
  return list;
}

Text Order(const PanelTabs& list) {
  Text out;
  for (const PanelTab& tab : list.tabs) out += tab.path;
  return out;
}

TEST(PanelTabs, OpenGoesAfterTheCurrentAndCloseFallsRightThenLeft) {
  PanelTabs list = ListOf({u"a", u"b", u"c"}, 0);
  ASSERT_TRUE(OpenTab(list, LocalTab(u"n")));
  EXPECT_EQ(Order(list), u"anbc");
  EXPECT_EQ(list.current, 1);

  ASSERT_TRUE(CloseTab(list, list.current));  // the right neighbour takes its place
  EXPECT_EQ(Order(list), u"abc");
  EXPECT_EQ(CurrentTab(list).path, u"b");
  list.current = 2;
  ASSERT_TRUE(CloseTab(list, 2));  // none on the right: the left one
  EXPECT_EQ(CurrentTab(list).path, u"b");
  ASSERT_TRUE(CloseTab(list, 0));  // closing another tab keeps the current one
  EXPECT_EQ(CurrentTab(list).path, u"b");
  EXPECT_FALSE(CloseTab(list, 0));  // the last one never closes
  EXPECT_EQ(TabCount(list), 1);
  EXPECT_FALSE(CloseTab(list, 5));
}

TEST(PanelTabs, StepsWrapAndMovesKeepTheCurrentTab) {
  PanelTabs list = ListOf({u"a", u"b", u"c", u"d"}, 3);
  EXPECT_EQ(StepTabIndex(list, 1), 0);
  EXPECT_EQ(StepTabIndex(list, -1), 2);
  list.current = 0;
  EXPECT_EQ(StepTabIndex(list, -1), 3);

  EXPECT_FALSE(MoveCurrentTab(list, -1));  // already first
  ASSERT_TRUE(MoveCurrentTab(list, 1));
  EXPECT_EQ(Order(list), u"bacd");
  EXPECT_EQ(list.current, 1);
  // A drag: the tab moves, the current one stays the same tab.
  ASSERT_TRUE(MoveTab(list, 3, 0));
  EXPECT_EQ(Order(list), u"dbac");
  EXPECT_EQ(CurrentTab(list).path, u"a");
  ASSERT_TRUE(MoveTab(list, 0, 3));
  EXPECT_EQ(Order(list), u"bacd");
  EXPECT_EQ(CurrentTab(list).path, u"a");
  EXPECT_FALSE(MoveTab(list, 1, 4));
}

TEST(PanelTabs, SixtyFourTabsThenTheNextIsRefused) {
  PanelTabs list = ListOf({u"C:\\"}, 0);
  for (int i = 1; i < kMaxTabsPerPanel; ++i) ASSERT_TRUE(OpenTab(list, LocalTab(u"C:\\x")));
  EXPECT_EQ(TabCount(list), 64);
  EXPECT_FALSE(OpenTab(list, LocalTab(u"C:\\y")));
  EXPECT_EQ(TabCount(list), 64);
  EXPECT_EQ(list.current, 63);
}

TEST(PanelTabs, LabelsAndEliding) {
  EXPECT_EQ(TabLabel(LocalTab(u"C:\\")), u"C:\\");
  EXPECT_EQ(TabLabel(LocalTab(u"D:")), u"D:\\");
  EXPECT_EQ(TabLabel(LocalTab(u"C:\\work\\src")), u"src");
  EXPECT_EQ(TabLabel(LocalTab(u"\\\\server\\share\\docs\\")), u"docs");
  PanelTab archive = LocalTab(u"C:\\work");
  archive.kind = LocationKind::Archive;
  archive.archiveName = u"pack.7z";
  archive.inner = u"inner\\deep\\";
  EXPECT_EQ(TabLabel(archive), u"pack.7z");
  PanelTab ftp;
  ftp.kind = LocationKind::Ftp;
  ftp.server = u"127.0.0.1";
  ftp.inner = u"/pub/files/";
  EXPECT_EQ(TabLabel(ftp), u"127.0.0.1/files");
  ftp.inner = u"/";
  EXPECT_EQ(TabLabel(ftp), u"127.0.0.1/");

  const auto chars = [](TextView text) { return static_cast<int32_t>(text.size()); };
  EXPECT_EQ(ElideTabLabel(u"documents", 9, chars), u"documents");
  EXPECT_EQ(ElideTabLabel(u"documents", 5, chars), u"docu\u2026");
  EXPECT_EQ(ElideTabLabel(u"documents", 0, chars), u"\u2026");
}

class SavedTabsTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::portable::ResetRegistry(); }
  void TearDown() override { platform::portable::ResetRegistry(); }
};

TEST_F(SavedTabsTest, RoundTripThroughTheRegistryKeepsEveryFieldButFtpTabs) {
  const Text longPath = u"C:\\" + Text(256, u'p');  // 259 characters
  ASSERT_EQ(longPath.size(), 259u);
  PanelTabs left;
  PanelTab odd = LocalTab(u"C:\\a|b%7C\\\u00e9t\u00e9 \u65e5\u672c");
  odd.cursorName = u"x|y%25z";
  odd.top = 12;
  odd.sortMode = kSortSize;
  odd.viewMode = kViewFull;
  odd.briefColumns = 4;
  left.tabs.push_back(odd);
  PanelTab ftp;
  ftp.kind = LocationKind::Ftp;
  ftp.server = u"127.0.0.1";
  ftp.password = u"secret";
  left.tabs.push_back(ftp);
  PanelTab archive = LocalTab(longPath);
  archive.kind = LocationKind::Archive;
  archive.archiveName = u"a|b.zip";
  archive.inner = u"in|ner\\";
  left.tabs.push_back(archive);
  left.current = 1;  // the FTP tab: its left neighbour is saved as current

  PanelTabs right = ListOf({u"D:\\"}, 0);
  Settings settings;
  settings.PanelAlwaysShowTabs = 1;
  ASSERT_EQ(SaveTabValues(SaveTabs(left), SaveTabs(right), settings), 0u);

  SavedTabs readLeft, readRight;
  ASSERT_TRUE(LoadTabValues(kLeftPanel, readLeft));
  for (const Text& value : readLeft.values) EXPECT_EQ(value.find(u"secret"), Text::npos);
  ASSERT_TRUE(LoadTabValues(kRightPanel, readRight));
  ASSERT_EQ(readLeft.values.size(), 2u);
  EXPECT_EQ(readLeft.current, 0);
  EXPECT_EQ(readRight.values.size(), 1u);
  Settings loaded;
  LoadTabSwitch(loaded);
  EXPECT_EQ(loaded.PanelAlwaysShowTabs, 1);

  PanelTab back;
  ASSERT_TRUE(DecodeTab(readLeft.values[0], back));
  EXPECT_EQ(back.path, odd.path);
  EXPECT_EQ(back.cursorName, odd.cursorName);
  EXPECT_EQ(back.top, 12);
  EXPECT_EQ(back.sortMode, kSortSize);
  EXPECT_EQ(back.viewMode, kViewFull);
  EXPECT_EQ(back.briefColumns, 4);
  ASSERT_TRUE(DecodeTab(readLeft.values[1], back));
  EXPECT_EQ(back.kind, LocationKind::Archive);
  EXPECT_EQ(back.path, longPath);
  EXPECT_EQ(back.archiveName, u"a|b.zip");
  EXPECT_EQ(back.inner, u"in|ner\\");
}

TEST_F(SavedTabsTest, MissingOrForeignValuesLoadNothing) {
  SavedTabs saved;
  EXPECT_FALSE(LoadTabValues(kLeftPanel, saved));  // settings from before tabs
  PanelTab tab;
  for (const char16_t* bad : {u"", u"L|1000|1000|2|0|C:\\", u"F|1000|1000|2|0|C:\\|||",
                              u"L|1000|1000|9|0|C:\\|||", u"L|1000|1000|2|0|relative|||",
                              u"L|1000|1000|2|0|C:\\%zz|||", u"L|1000|1000|2|0|C:\\||||"})
    EXPECT_FALSE(DecodeTab(bad, tab)) << ToUtf8(bad);
  std::vector<Text> strings;
  EXPECT_FALSE(SplitMultiString(JoinMultiString(std::vector<Text>(65, u"x")), strings));
  ASSERT_TRUE(SplitMultiString(TextView(u"a\0b", 3), strings));  // no final terminator
  EXPECT_EQ(strings.size(), 2u);
}

// The row takes the height of a title line and two frame lines; everything below moves down
// and the page loses the rows it covers.
TEST(TabRowLayout, RowMovesTitleAndItemsDown) {
  test::TestSettings() = Settings{};
  Panel panel = AttachedPanel();
  LayoutInput input{120, 8, 20, 300, 400};
  ASSERT_EQ(ComputeLayout(panel, input), 0);
  const int32_t firstRow = panel.firstRowY, rows = panel.rowsPerColumn;
  EXPECT_EQ(panel.tabRowHeight, 0);
  panel.tabRowShown = 1;
  ASSERT_EQ(ComputeLayout(panel, input), 0);
  EXPECT_EQ(panel.tabRowHeight, 30);
  EXPECT_EQ(panel.firstRowY, firstRow + 30);
  EXPECT_EQ(panel.rowsPerColumn, (400 - 30 - 26 - 66) / 19);
  EXPECT_LT(panel.rowsPerColumn, rows);

  // Cells share the row up to their widest; past the last tab is empty space.
  EXPECT_EQ(TabCellWidth(2, 300, 160), 150);
  EXPECT_EQ(TabCellWidth(1, 300, 160), 160);
  EXPECT_EQ(TabCellWidth(64, 300, 160), 4);
  EXPECT_EQ(TabAtX(1, 300, 160, 159), 0);
  EXPECT_EQ(TabAtX(1, 300, 160, 160), -1);
  EXPECT_EQ(TabAtX(64, 300, 160, 299), -1);  // the 44 pixels the cells leave over
  EXPECT_EQ(TabAtX(64, 300, 160, 255), 63);
  EXPECT_EQ(TabAtX(3, 300, 160, -1), -1);
}

std::set<Text>& Existing() {
  static std::set<Text> folders;
  return folders;
}
bool Exists(TextView folder) { return Existing().contains(Text(folder)); }

TEST(RestoredTabs, GoneFoldersOpenTheirParentAndArchivesTheirFolder) {
  Existing() = {u"C:\\", u"C:\\work", u"C:\\keep"};
  PanelTab gone = LocalTab(u"C:\\work\\gone\\deeper");
  gone.top = 40;
  PanelTab archive = LocalTab(u"C:\\keep");
  archive.kind = LocationKind::Archive;
  archive.archiveName = u"pack.7z";
  archive.inner = u"sub\\";
  archive.cursorName = u"file.txt";
  PanelTab whole = LocalTab(u"Q:\\nowhere");
  const std::vector<Text> saved = {EncodeTab(whole), EncodeTab(gone), EncodeTab(archive)};

  const PanelTabs restored = RestoreTabs(saved, 2, &Exists);
  ASSERT_EQ(TabCount(restored), 2);  // a drive that is not there at all is dropped
  EXPECT_EQ(restored.current, 1);
  EXPECT_EQ(restored.tabs[0].path, u"C:\\work");
  EXPECT_EQ(restored.tabs[0].top, 0);
  EXPECT_EQ(restored.tabs[1].kind, LocationKind::Local);
  EXPECT_EQ(restored.tabs[1].path, u"C:\\keep");
  EXPECT_EQ(restored.tabs[1].cursorName, u"pack.7z");
  EXPECT_TRUE(restored.tabs[1].inner.empty());

  Existing() = {u"C:\\"};
  const PanelTabs toRoot = RestoreTabs({EncodeTab(LocalTab(u"C:\\a\\b"))}, 0, &Exists);
  ASSERT_EQ(TabCount(toRoot), 1);
  EXPECT_EQ(toRoot.tabs[0].path, u"C:\\");
  EXPECT_EQ(TabCount(RestoreTabs({u"garbage"}, 0, &Exists)), 0);
}

}  // namespace
}  // namespace nrv
