#include <gtest/gtest.h>

#include "panel/location_menu_model.h"

namespace nrv {
namespace {

TEST(LocationMenu, DrivesWithSizesAndTheRecentLocationsNewestFirst) {
  DriveTable drives;
  drives.rows.push_back({3, 2'000'000'000, 1'500'000, u"C:\\", u"System"});
  drives.rows.push_back({5, 0, 0, u"D:\\", u" "});
  Panel panel;
  panel.path = u"c:\\work";
  const auto menu = LocationMenuModel(panel, drives, {u"C:\\Desktop"}, {u"C:\\old", u"C:\\new"});
  EXPECT_EQ(menu[0].text, u"C: Fixed \t System \t 1465 K/2 G");
  EXPECT_TRUE(menu[0].checked);
  EXPECT_EQ(menu[1].text, u"D: CD-ROM \t  ");  // no medium: no sizes
  const LocationEntry& recent = menu[11];
  ASSERT_EQ(recent.kind, LocationEntry::Kind::RecentSubmenu);
  ASSERT_EQ(recent.children.size(), 2u);
  EXPECT_EQ(recent.children[0].text, u"C:\\new");
  EXPECT_EQ(RecentLocationOfCommand(3600, {u"C:\\old", u"C:\\new"}), u"C:\\new");
  EXPECT_EQ(RecentLocationOfCommand(3602, {u"C:\\old", u"C:\\new"}), u"");

  // With no recent locations the submenu says so.
  const auto none = LocationMenuModel(panel, drives, {}, {});
  ASSERT_EQ(none[11].children.size(), 1u);
  EXPECT_EQ(none[11].children[0].text, u"Empty");
  EXPECT_TRUE(none[11].children[0].disabled);
}

}  // namespace
}  // namespace nrv
