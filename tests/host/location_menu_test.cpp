#include <gtest/gtest.h>

#include "panel/location_menu_model.h"

namespace nrv {
namespace {

TEST(LocationMenu, DrivesSpecialFoldersAndRecentLocations) {
  DriveTable drives;
  drives.rows.push_back({3, 2'000'000'000, 1'500'000, u"C:\\", u"System"});
  drives.rows.push_back({5, 0, 0, u"D:\\", u" "});
  Panel panel;
  panel.path = u"c:\\work";
  const auto menu = LocationMenuModel(panel, drives, {u"C:\\Desktop"}, {u"C:\\old", u"C:\\new"});

  EXPECT_EQ(menu[0].text, u"C: Fixed \t System \t 1465 K/2 G");
  EXPECT_EQ(menu[0].command, 3001u);
  EXPECT_TRUE(menu[0].checked);
  EXPECT_EQ(menu[1].text, u"D: CD-ROM \t  ");  // no medium: no sizes
  EXPECT_FALSE(menu[1].checked);
  EXPECT_EQ(menu[3].text, u"Temporary panel");
  EXPECT_FALSE(menu[3].checked);
  EXPECT_EQ(menu[5].text, u"Desktop");
  EXPECT_EQ(menu[5].iconPath, u"C:\\Desktop");
  EXPECT_EQ(menu[9].command, 3904u);

  const LocationEntry& recent = menu[11];
  ASSERT_EQ(recent.kind, LocationEntry::Kind::RecentSubmenu);
  ASSERT_EQ(recent.children.size(), 2u);
  EXPECT_EQ(recent.children[0].text, u"C:\\new");  // the newest first
  EXPECT_EQ(RecentLocationOfCommand(3600, {u"C:\\old", u"C:\\new"}), u"C:\\new");
  EXPECT_EQ(RecentLocationOfCommand(3601, {u"C:\\old", u"C:\\new"}), u"C:\\old");
  EXPECT_EQ(RecentLocationOfCommand(3602, {u"C:\\old", u"C:\\new"}), u"");
  EXPECT_EQ(menu.back().text, u"Browse...");
  EXPECT_EQ(menu.back().command, 3910u);
}

TEST(LocationMenu, TemporaryPanelChecksOnlyItselfAndAnEmptyListSaysSo) {
  DriveTable drives;
  drives.rows.push_back({3, 1, 1, u"C:\\", u" "});
  Panel panel;
  panel.path = u"C:\\";
  panel.temporary = 1;
  const auto menu = LocationMenuModel(panel, drives, {}, {});
  EXPECT_FALSE(menu[0].checked);
  EXPECT_TRUE(menu[2].checked);
  const auto& recent = menu[10];
  ASSERT_EQ(recent.children.size(), 1u);
  EXPECT_EQ(recent.children[0].text, u"Empty");
  EXPECT_TRUE(recent.children[0].disabled);
  EXPECT_EQ(recent.children[0].command, 3701u);
}

}  // namespace
}  // namespace nrv
