#include <gtest/gtest.h>

#include <tuple>

#include "config/settings.h"
#include "core/layout.h"

namespace nrv {
namespace {

class Layout : public ::testing::Test {
 protected:
  void SetUp() override { TheSettings() = Settings{}; }  // icons 16, status area shown
  void TearDown() override { TheSettings() = Settings{}; }

  int Lay(int32_t font, int32_t titleFont, int32_t width, int32_t height) {
    LayoutInput input;
    input.itemCount = 120;
    input.fontHeight = font;
    input.titleFontHeight = titleFont;
    input.clientWidth = width;
    input.clientHeight = height;
    return ComputeLayout(panel, input);
  }

  Panel panel;
};

TEST_F(Layout, RowTitleAndStatusHeightsFromTheFontsAndIcons) {
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 19);
  EXPECT_EQ(panel.titleHeight, 26);
  EXPECT_EQ(panel.statusHeight, 66);
  ASSERT_EQ(Lay(20, 9, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 21);
  EXPECT_EQ(panel.titleHeight, 11);  // 11.7 truncated
  EXPECT_EQ(panel.statusHeight, 36);

  TheSettings().PanelLargeIcons = 1;
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 35);
  TheSettings().PanelShowIcons = 0;  // large icons without icons are no icons
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 8);
  TheSettings().PanelShowPanelStatusbar = 0;
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.statusHeight, 0);
  EXPECT_EQ(panel.itemAreaHeight, 374);
}

TEST_F(Layout, ColumnsCellsAndCapacity) {
  panel.viewMode = kViewBrief;
  panel.briefColumns = 3;
  ASSERT_EQ(Lay(8, 20, 602, 400), 0);
  EXPECT_EQ(panel.columnWidth, 195);
  EXPECT_EQ(panel.rowsPerColumn, 16);  // 308 / 19
  EXPECT_EQ(panel.capacity, 48);
  // Cells go down each column first.
  const CellRect first = CellOfPage(panel, 0);
  EXPECT_EQ(std::tie(first.left, first.top, first.width, first.height), std::make_tuple(1, 26, 195, 19));
  EXPECT_EQ(CellOfPage(panel, 17).left, 201);
  EXPECT_EQ(CellOfPage(panel, 17).top, 45);

  panel.viewMode = kViewFull;
  ASSERT_EQ(Lay(8, 20, 602, 400), 0);
  EXPECT_EQ(panel.capacity, 16);
  // The temporary panel is laid out as Medium whatever its mode; the mode stays.
  panel.viewMode = kViewBrief;
  panel.temporary = 1;
  ASSERT_EQ(Lay(8, 20, 602, 400), 0);
  EXPECT_EQ(panel.columns, 1);
  EXPECT_EQ(panel.viewMode, kViewBrief);
}

TEST_F(Layout, LowPanelsLoseTheStatusAreaFirstAndTooSmallOnesFail) {
  ASSERT_EQ(Lay(8, 20, 300, 111), 0);  // title 26 + one row 19 + status 66
  EXPECT_EQ(panel.statusHidden, 0);
  EXPECT_EQ(panel.rowsPerColumn, 1);
  ASSERT_EQ(Lay(8, 20, 300, 110), 0);
  EXPECT_EQ(panel.statusHidden, 1);
  EXPECT_EQ(panel.rowsPerColumn, 4);
  // Lower than title plus one row.
  EXPECT_EQ(Lay(8, 20, 300, 44), -1);
  EXPECT_EQ(panel.capacity, 0);
  EXPECT_EQ(Lay(8, 20, 300, 45), 0);
  EXPECT_EQ(panel.capacity, 2);  // two columns in Brief
  // 17 pixels wide leaves 15 for a 16-pixel icon.
  EXPECT_EQ(Lay(8, 20, 17, 400), -1);
  EXPECT_EQ(Lay(8, 20, 18, 400), 0);
  EXPECT_EQ(panel.statusHidden, 0);
  EXPECT_EQ(Lay(8, 0, 300, 400), -1);
  TheSettings().PanelShowIcons = 0;  // no icon to give the rows their height
  EXPECT_EQ(Lay(0, 20, 300, 400), -1);
}

}  // namespace
}  // namespace nrv
