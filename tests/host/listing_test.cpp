// Totals, free space, the drive table and re-reading a panel in place. Reading folders, its
// failures and the watcher are checked under Wine.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "core/settings.h"
#include "core/drive_table.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "panel/drive_details.h"
#include "panel/update_panel.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

class Listing : public ::testing::Test {
 protected:
  void SetUp() override { test::TestSettings() = Settings{}; }
  void TearDown() override { platform::portable::SetDrives({{u'C', 3, 0, 0, {}}}); }
  Panel panel = AttachedPanel();
  ItemList list;
};

TEST_F(Listing, FreeSpaceFollowsTheSwitchesAndTheDriveType) {
  platform::portable::SetDrives({{u'C', platform::kDriveFixed, 1 << 20, 512 * 1000, {}},
                                 {u'N', platform::kDriveRemote, 1 << 20, 512 * 7, {}}});
  panel.path = u"c:\\data";
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 512 * 1000);

  // A network drive's figure is the drive worker's, never asked for here.
  panel.drive.type = platform::kDriveRemote;
  panel.drive.freeBytes = 512 * 7;
  panel.path = u"N:\\share";
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, -1);
  test::TestSettings().PanelShowFreeSizeNetwork = 1;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 512 * 7);
  test::TestSettings().PanelShowFreeSize = 0;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, -1);
  test::TestSettings().PanelShowFreeSize = 1;

  panel.path = u"Q:\\nowhere";  // the platform call fails: nothing free
  panel.drive.type = platform::kDriveFixed;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.freeBytes, 0);
}

TEST_F(Listing, DriveRowsInLetterOrderWithoutOneCharacterLabels) {
  platform::portable::SetDrives({{u'Z', platform::kDriveFixed, 100, 50, u"Data"},
                                 {u'C', platform::kDriveFixed, 200, 1024, u"X"},
                                 {u'D', platform::kDriveCdRom, 0, 0, {}}});
  DriveTable table;
  ASSERT_EQ(BuildDriveTable(table), 0);
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[0].root, u"C:\\");
  EXPECT_EQ(table.rows[0].label, u" ");
  EXPECT_EQ(table.rows[1].label, u" ");
  EXPECT_EQ(table.rows[2].label, u"Data");

  EXPECT_EQ(RootOfPath(u"c:\\data\\x"), u"C:\\");
  EXPECT_EQ(RootOfPath(u"\\\\server\\share\\dir"), u"remote");
}

std::atomic<int> gDrivesPosted{0};

// Removable, network and CD drives are never asked on the window's thread: the table lists them
// without label or sizes, a worker reads them, and its end puts them into the table and into a
// panel on such a drive.
TEST_F(Listing, SlowDrivesAreReadOnAWorkerAndTakenIntoTheTableAndThePanel) {
  platform::portable::SetDrives({{u'C', platform::kDriveFixed, 200, 100, u"System"},
                                 {u'E', platform::kDriveRemovable, 0, 0, {}},
                                 {u'N', platform::kDriveRemote, 1 << 20, 512 * 7, u"Share"}});
  PanelContext context;
  context.settings.PanelShowFreeSizeNetwork = 1;
  context.reads.drivesRead = [](PanelContext&) { ++gDrivesPosted; };
  gDrivesPosted = 0;
  Panel onShare, other;
  onShare.context = other.context = &context;
  onShare.path = u"N:\\share";
  other.path = u"C:\\";

  ASSERT_EQ(RebuildDrives(context), 0);
  ASSERT_EQ(context.drives.rows.size(), 3u);
  EXPECT_EQ(context.drives.rows[0].label, u"System");
  EXPECT_FALSE(context.drives.rows[0].detailsPending);
  const DriveInfo& share = context.drives.rows[2];
  onShare.drive = share;
  ComputeTotals(list, onShare);
  EXPECT_EQ(onShare.freeBytes, 0);  // nothing known yet, and nothing asked

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (gDrivesPosted == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(gDrivesPosted, 1);
  ASSERT_TRUE(TakeDriveDetails(context, onShare, other));
  EXPECT_EQ(share.label, u"Share");
  EXPECT_EQ(share.totalBytes, uint64_t{1} << 20);
  EXPECT_FALSE(share.detailsPending);
  EXPECT_FALSE(context.drives.rows[1].detailsPending);
  EXPECT_EQ(onShare.drive.freeBytes, 512u * 7);
  EXPECT_EQ(onShare.freeBytes, 512 * 7);
  EXPECT_EQ(other.drive.freeBytes, 0u);  // on another drive: untouched
  EXPECT_FALSE(TakeDriveDetails(context, onShare, other));
  StopDriveDetails(context);
}

using test::Names;

class PanelUpdates : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestSettings() = Settings{};
    test::TestSettings().PanelAutoUpdatePanels = 0;
    for (const char* name : {"a", "b", "c", "d"}) folder.MakeFile(name);
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
  }
  test::TempFolder folder;
  Panel panel = AttachedPanel();
  ItemList list;
};

TEST_F(PanelUpdates, ReReadKeepsTheCursorIndexNotItsItem) {
  panel.cursor = 3;  // "c"
  folder.MakeFile("bb");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Updated);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"a", u"b", u"bb", u"c", u"d"}));
  EXPECT_EQ(panel.cursor, 3);

  panel.cursor = 5;
  std::filesystem::remove(folder.Path() / "d");
  std::filesystem::remove(folder.Path() / "c");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Updated);
  EXPECT_EQ(panel.cursor, 3);  // clamped to the last row

  test::MessageCapture messages;
  panel.path += u"/gone";
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Failed);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(panel.path + u" is not available", 0), 0u);
  EXPECT_EQ(Count(list), 4);
}

TEST_F(PanelUpdates, ArchivesStayTemporaryPanelsAreReSortedBothGoLeftThenRight) {
  panel.archiveOpen = 1;
  folder.MakeFile("e");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Unchanged);

  Panel temporary = AttachedPanel();
  ItemList items;
  temporary.temporary = 1;
  temporary.sortMode = kSortName;
  Append(items, NewItem(u"/z/zeta"));
  Append(items, NewItem(u"/a/alpha"));
  Panel right = AttachedPanel();
  right.side = kRightPanel;
  right.path = panel.path;
  const BothPanelsUpdate both = UpdateBothPanels(temporary, items, right, list);
  EXPECT_EQ(both.left, PanelUpdate::Updated);
  EXPECT_EQ(both.right, PanelUpdate::Updated);
  EXPECT_EQ(Count(list), 6);
  EXPECT_EQ(Names(items), (std::vector<Text>{u"/a/alpha", u"/z/zeta"}));
}

}  // namespace
}  // namespace nrv
