#include <gtest/gtest.h>

#include <algorithm>

#include "config/settings.h"
#include "core/drive_table.h"
#include "core/listing.h"
#include "platform/errors.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

class Listing : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    panel.sortMode = kSortName;
  }
  void TearDown() override { platform::portable::SetDrives({{u'C', 3, 0, 0, {}}}); }

  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(Listing, ReadsEveryEntryButDotWithTheUpEntryFirst) {
  folder.MakeFolder("Sub");
  folder.MakeFile("b.txt", 10);
  folder.MakeFile("A.doc", 2000000);
  panel.path = folder.Path().u16string();

  test::MessageCapture messages;
  ASSERT_EQ(ReadFolder(panel, list), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"Sub", u"A.doc", u"b.txt"}));
  EXPECT_TRUE(messages.Taken().empty());
  EXPECT_EQ(panel.itemCount, 0);  // the caller lays out and counts

  ComputeTotals(list, panel);
  EXPECT_EQ(panel.fileCount, 2);
  EXPECT_EQ(panel.folderCount, 1);  // ".." never counts
  EXPECT_EQ(panel.totalBytes, 2000010);
}

TEST_F(Listing, EmptyFolderListsOnlyTheUpEntry) {
  panel.path = folder.MakeFolder("empty").u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_EQ(Count(list), 1);
  EXPECT_EQ(ItemName(At(list, 0)), u"..");
  EXPECT_TRUE(IsFolder(At(list, 0)));
  EXPECT_EQ(At(list, 0).size, kUpEntrySize);
}

TEST_F(Listing, FolderThatCannotBeMadeCurrentIsReportedAndTheListKept) {
  Append(list, NewItem(u"kept"));
  panel.path = (folder.Path() / "missing").u16string();
  test::MessageCapture messages;
  EXPECT_EQ(ReadFolder(panel, list), -1);
  EXPECT_EQ(Names(list), std::vector<Text>{u"kept"});
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].text, u"Error set current directory: \"" + panel.path +
                               u"\"\n\nError 3: The system cannot find the path specified.");
  EXPECT_EQ(taken[0].caption, u"Norvane 1.0.0");
  EXPECT_EQ(taken[0].icon, platform::MessageIcon::Error);
}

TEST_F(Listing, FolderThatCannotBeListedIsReportedAndTheListKept) {
  Append(list, NewItem(u"kept"));
  panel.path = folder.Path().u16string();
  platform::portable::FailNextFindFirst(platform::kErrorAccessDenied);
  test::MessageCapture messages;
  EXPECT_EQ(ReadFolder(panel, list), -2);
  EXPECT_EQ(Names(list), std::vector<Text>{u"kept"});
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].text, u"Error find first file in \"" + panel.path +
                               u"\"\n\nError 5: Access is denied.");
}

TEST_F(Listing, FreeSpaceFollowsTheSwitchesAndTheDriveType) {
  platform::portable::SetDrives({{u'C', platform::kDriveFixed, 1 << 20, 512 * 1000, {}},
                                 {u'N', platform::kDriveRemote, 1 << 20, 512 * 7, {}}});
  panel.path = u"c:\\data";
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 512 * 1000);

  panel.drive.type = platform::kDriveRemote;
  panel.path = u"N:\\share";
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, -1);
  TheSettings().PanelShowFreeSizeNetwork = 1;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 512 * 7);

  TheSettings().PanelShowFreeSize = 0;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, -1);
  TheSettings().PanelShowFreeSize = 1;
  panel.ftp = 1;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, -1);

  panel.ftp = 0;
  panel.path = u"Q:\\nowhere";  // the platform call fails: nothing free
  panel.drive.type = platform::kDriveFixed;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 0);
}

TEST_F(Listing, SelectionCountsFilesAndFoldersApart) {
  for (auto [name, size, folder] : {std::tuple{u"a", 5, false}, {u"b", 7, false},
                                    {u"dir", -1, true}, {u"c", 11, false}}) {
    PanelItem* item = NewItem(name);
    item->size = size;
    item->attributes = folder ? platform::kAttributeDirectory : 0;
    item->selected = name != Text(u"b");
    Append(list, item);
  }
  panel.selectedFiles = 99;
  RecountSelection(list, panel);
  EXPECT_EQ(panel.selectedFiles, 2);
  EXPECT_EQ(panel.selectedFolders, 1);
  EXPECT_EQ(panel.selectedBytes, 16);
}

TEST(DriveTable, RowsInLetterOrderWithLabelRules) {
  platform::portable::SetDrives({{u'Z', platform::kDriveFixed, 100, 50, u"Data"},
                                 {u'C', platform::kDriveFixed, 200, 1024, u"X"},
                                 {u'D', platform::kDriveCdRom, 0, 0, {}}});
  DriveTable table;
  ASSERT_EQ(BuildDriveTable(table), 0);
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[0].root, u"C:\\");
  EXPECT_EQ(table.rows[0].label, u" ");  // a one-character label is not shown
  EXPECT_EQ(table.rows[0].totalBytes, 200u);
  EXPECT_EQ(table.rows[0].freeBytes, 1024u);
  EXPECT_EQ(table.rows[1].root, u"D:\\");
  EXPECT_EQ(table.rows[1].type, platform::kDriveCdRom);
  EXPECT_EQ(table.rows[1].label, u" ");
  EXPECT_EQ(table.rows[2].label, u"Data");

  platform::portable::SetDrives({});
  EXPECT_EQ(BuildDriveTable(table), -1);
  EXPECT_TRUE(table.rows.empty());
  platform::portable::SetDrives({{u'C', 3, 0, 0, {}}});
}

TEST(DriveTable, RootOfPath) {
  EXPECT_EQ(RootOfPath(u"c:\\data\\x"), u"C:\\");
  EXPECT_EQ(RootOfPath(u"d:\\x"), u"D:\\");
  EXPECT_EQ(RootOfPath(u"\\\\server\\share\\dir"), u"remote");
  EXPECT_EQ(RootOfPath(u"e:"), u"E:");
  EXPECT_EQ(RootOfPath(u""), u"");
}

}  // namespace
}  // namespace nrv
