// Totals, free space and the drive table. Reading folders and its failures are checked under
// Wine against the real file system.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "core/drive_table.h"
#include "core/listing.h"
#include "platform/portable/portable_controls.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

class Listing : public ::testing::Test {
 protected:
  void SetUp() override { TheSettings() = Settings{}; }
  void TearDown() override { platform::portable::SetDrives({{u'C', 3, 0, 0, {}}}); }
  Panel panel;
  ItemList list;
};

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
  platform::portable::SetDrives({});
  EXPECT_EQ(BuildDriveTable(table), -1);
  EXPECT_TRUE(table.rows.empty());

  EXPECT_EQ(RootOfPath(u"c:\\data\\x"), u"C:\\");
  EXPECT_EQ(RootOfPath(u"\\\\server\\share\\dir"), u"remote");
  EXPECT_EQ(RootOfPath(u"e:"), u"E:");
  EXPECT_EQ(RootOfPath(u""), u"");
}

}  // namespace
}  // namespace nrv
