#include <gtest/gtest.h>

#include "config/settings.h"
#include "core/layout.h"

namespace nrv {
namespace {

class Layout : public ::testing::Test {
 protected:
  void SetUp() override { TheSettings() = Settings{}; }  // icons 16, status area shown
  void TearDown() override { TheSettings() = Settings{}; }

  LayoutInput Input(int32_t font, int32_t titleFont, int32_t width, int32_t height) {
    LayoutInput input;
    input.itemCount = 120;
    input.fontHeight = font;
    input.titleFontHeight = titleFont;
    input.clientWidth = width;
    input.clientHeight = height;
    return input;
  }

  // Marks every field so that a failed layout shows which ones it left alone.
  void Poison() {
    for (int32_t* field : {&panel.columns, &panel.rowsPerColumn, &panel.columnWidth,
                           &panel.rowHeight, &panel.titleFontHeight, &panel.titleHeight,
                           &panel.statusHeight, &panel.columnGap, &panel.firstColumnX,
                           &panel.firstRowY, &panel.clientWidth, &panel.itemAreaHeight})
      *field = 777;
    panel.capacity = 777;
  }

  Panel panel;
};

TEST_F(Layout, RowHeightFollowsFontAndIcons) {
  panel.viewMode = kViewMedium;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.iconSize, 16);
  EXPECT_EQ(panel.rowHeight, 19);
  ASSERT_EQ(ComputeLayout(panel, Input(20, 20, 300, 400)), 0);
  EXPECT_EQ(panel.rowHeight, 21);

  TheSettings().PanelLargeIcons = 1;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.iconSize, 32);
  EXPECT_EQ(panel.rowHeight, 35);

  TheSettings().PanelShowIcons = 0;  // large icons without icons are no icons
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.iconSize, 0);
  EXPECT_EQ(panel.rowHeight, 8);
  EXPECT_EQ(panel.fontHeight, 8);
}

TEST_F(Layout, TitleAndStatusHeightsFromTheTitleFont) {
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.titleFontHeight, 20);
  EXPECT_EQ(panel.titleHeight, 26);
  EXPECT_EQ(panel.firstRowY, 26);
  EXPECT_EQ(panel.statusHeight, 66);
  EXPECT_EQ(panel.statusHidden, 0);

  ASSERT_EQ(ComputeLayout(panel, Input(8, 9, 300, 400)), 0);
  EXPECT_EQ(panel.titleHeight, 11);  // 11.7 truncated
  EXPECT_EQ(panel.statusHeight, 36);

  TheSettings().PanelShowPanelStatusbar = 0;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.statusHeight, 0);
  EXPECT_EQ(panel.statusHidden, 0);
  EXPECT_EQ(panel.itemAreaHeight, 374);
}

TEST_F(Layout, ColumnsRowsAndCapacity) {
  panel.viewMode = kViewBrief;
  panel.briefColumns = 3;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 602, 400)), 0);
  EXPECT_EQ(panel.itemCount, 120);
  EXPECT_EQ(panel.columns, 3);
  EXPECT_EQ(panel.clientWidth, 600);
  EXPECT_EQ(panel.firstColumnX, 1);
  EXPECT_EQ(panel.columnGap, 5);
  EXPECT_EQ(panel.columnWidth, 195);
  EXPECT_EQ(panel.itemAreaHeight, 400 - 26 - 66);
  EXPECT_EQ(panel.rowsPerColumn, 16);  // 308 / 19
  EXPECT_EQ(panel.capacity, 48);

  panel.viewMode = kViewFull;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 602, 400)), 0);
  EXPECT_EQ(panel.columns, 1);
  EXPECT_EQ(panel.columnWidth, 595);
  EXPECT_EQ(panel.capacity, 16);

  // The temporary panel is laid out as Medium whatever its mode; the mode stays.
  panel.viewMode = kViewBrief;
  panel.temporary = 1;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 602, 400)), 0);
  EXPECT_EQ(panel.columns, 1);
  EXPECT_EQ(panel.viewMode, kViewBrief);
  EXPECT_EQ(EffectiveViewMode(panel), kViewMedium);
}

TEST_F(Layout, StatusAreaGivesWayWhenThePanelIsTooLow) {
  // Title 26 + one row 19 + status 66 = 111 pixels.
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 111)), 0);
  EXPECT_EQ(panel.statusHidden, 0);
  EXPECT_EQ(panel.statusHeight, 66);
  EXPECT_EQ(panel.rowsPerColumn, 1);

  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 110)), 0);
  EXPECT_EQ(panel.statusHidden, 1);
  EXPECT_EQ(panel.statusHeight, 0);
  EXPECT_EQ(panel.itemAreaHeight, 84);
  EXPECT_EQ(panel.rowsPerColumn, 4);

  // Shown again once there is room.
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 300, 400)), 0);
  EXPECT_EQ(panel.statusHidden, 0);
}

TEST_F(Layout, FailuresLeaveTheRemainingFieldsAlone) {
  TheSettings().PanelShowIcons = 0;
  Poison();
  EXPECT_EQ(ComputeLayout(panel, Input(0, 20, 300, 400)), -1);
  EXPECT_EQ(panel.capacity, 0);
  EXPECT_EQ(panel.rowHeight, 0);
  EXPECT_EQ(panel.titleFontHeight, 777);
  EXPECT_EQ(panel.columns, 777);

  TheSettings().PanelShowIcons = 1;
  Poison();
  EXPECT_EQ(ComputeLayout(panel, Input(8, 0, 300, 400)), -1);
  EXPECT_EQ(panel.rowHeight, 19);
  EXPECT_EQ(panel.titleFontHeight, 0);
  EXPECT_EQ(panel.columns, 777);
  EXPECT_EQ(panel.titleHeight, 777);

  // 17 pixels wide leaves 15 for a 16-pixel icon.
  Poison();
  EXPECT_EQ(ComputeLayout(panel, Input(8, 20, 17, 400)), -1);
  EXPECT_EQ(panel.clientWidth, 15);
  EXPECT_EQ(panel.itemAreaHeight, 777);
  EXPECT_EQ(ComputeLayout(panel, Input(8, 20, 18, 400)), 0);

  // Lower than title plus one row: the status area is already hidden.
  Poison();
  EXPECT_EQ(ComputeLayout(panel, Input(8, 20, 300, 44)), -1);
  EXPECT_EQ(panel.statusHidden, 1);
  EXPECT_EQ(panel.itemAreaHeight, 18);
  EXPECT_EQ(panel.rowsPerColumn, 777);
  EXPECT_EQ(panel.columnWidth, 777);
  EXPECT_EQ(panel.capacity, 0);
  EXPECT_EQ(ComputeLayout(panel, Input(8, 20, 300, 45)), 0);
  EXPECT_EQ(panel.capacity, 2);  // two columns in Brief
}

TEST_F(Layout, CellsGoDownEachColumnFirst) {
  panel.viewMode = kViewBrief;
  panel.briefColumns = 3;
  ASSERT_EQ(ComputeLayout(panel, Input(8, 20, 602, 400)), 0);  // 16 rows of 19, 195 wide
  const CellRect first = CellOfPage(panel, 0);
  EXPECT_EQ(first.left, 1);
  EXPECT_EQ(first.top, 26);
  EXPECT_EQ(first.width, 195);
  EXPECT_EQ(first.height, 19);
  const CellRect last = CellOfPage(panel, 15);
  EXPECT_EQ(last.left, 1);
  EXPECT_EQ(last.top, 26 + 15 * 19);
  const CellRect next = CellOfPage(panel, 17);
  EXPECT_EQ(next.left, 201);
  EXPECT_EQ(next.top, 45);
  EXPECT_EQ(CellOfPage(panel, 47).left, 401);

  const CellContent content = CellContentOf(panel);
  EXPECT_EQ(content.iconTop, 1);
  EXPECT_EQ(content.textLeft, 18);
  EXPECT_EQ(content.textTop, 5);
}

}  // namespace
}  // namespace nrv
