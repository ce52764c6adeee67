// Panel and main window geometry at its edges, and the cursor moving over a panel.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <tuple>
#include <utility>

#include "core/settings.h"
#include "core/layout.h"
#include "shell/cursor_movement.h"
#include "shell/fixed_font_table.h"
#include "shell/main_layout.h"
#include "shell/status_bar_fields.h"

namespace nrv {
namespace {

class Layout : public ::testing::Test {
 protected:
  void SetUp() override { test::TestSettings() = Settings{}; }  // icons 16, status area shown
  void TearDown() override { test::TestSettings() = Settings{}; }

  int Lay(int32_t font, int32_t titleFont, int32_t width, int32_t height) {
    LayoutInput input;
    input.itemCount = 120;
    input.fontHeight = font, input.titleFontHeight = titleFont;
    input.clientWidth = width, input.clientHeight = height;
    return ComputeLayout(panel, input);
  }

  Panel panel = AttachedPanel();
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

  test::TestSettings().PanelLargeIcons = 1;
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 35);
  test::TestSettings().PanelShowIcons = 0;  // large icons without icons are no icons
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.rowHeight, 8);
  test::TestSettings().PanelShowPanelStatusbar = 0;
  ASSERT_EQ(Lay(8, 20, 300, 400), 0);
  EXPECT_EQ(panel.statusHeight, 0);
  EXPECT_EQ(panel.itemAreaHeight, 374);
}

TEST_F(Layout, ColumnsCellsAndCapacity) {
  panel.viewMode = kViewBrief;
  panel.briefColumns = 3;
  ASSERT_EQ(Lay(8, 20, 602, 400), 0);
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
  EXPECT_EQ(Lay(8, 0, 300, 400), -1);
  test::TestSettings().PanelShowIcons = 0;  // no icon to give the rows their height
  EXPECT_EQ(Lay(0, 20, 300, 400), -1);
}

MainLayoutInput Client(int32_t width, int32_t height, int32_t offset = 0, bool stacked = false) {
  MainLayoutInput input;
  input.clientWidth = width, input.clientHeight = height, input.statusCharHeight = 16;
  input.toolbarHeight = kToolbarHeight, input.windowsOffset = offset, input.stacked = stacked;
  return input;
}

TEST(ShellLayout, PanelsShareTheRoomAroundTheOffsetInsideTheDefaultWindow) {
  // An odd width leaves the last column to the gap paint.
  PanelRects rects = LayOutPanels(Client(1001, 600));
  EXPECT_EQ(rects.left, (ShellRect{0, 20, 500, 564}));
  EXPECT_EQ(rects.right, (ShellRect{500, 20, 500, 564}));
  EXPECT_EQ(PanelGap(Client(1001, 600)), (ShellRect{0, 20, 1001, 564}));
  rects = LayOutPanels(Client(1000, 600, -30));
  EXPECT_EQ(rects.left.width, 350);
  EXPECT_EQ(rects.right.width, 650);

  // Stacked: 617/2 - 16/2 - 20/2 + 1 = 291.
  rects = LayOutPanels(Client(800, 617, 0, true));
  EXPECT_EQ(rects.left, (ShellRect{0, 20, 800, 291}));
  EXPECT_EQ(rects.right, (ShellRect{0, 311, 800, 291}));
  rects = LayOutPanels(Client(800, 617, -50, true));
  EXPECT_EQ(rects.left.height, 291 - 145);
  EXPECT_EQ(rects.right.height, 291 + 145);

  // The first window: two thirds of a screen 1.4 times as wide as high, centred.
  EXPECT_EQ(DefaultWindowRect(800), (ShellRect{187, 134, 746, 533}));
  // 1.4 x 1001 = 1401.4 is cut to 1401 before the thirds are taken.
  EXPECT_EQ(DefaultWindowRect(1001), (ShellRect{233, 167, 934, 667}));
}

TEST(ShellLayout, TheDividerIsDraggedToEightyPercentAndSteppedOnePast) {
  MainLayoutInput input = Client(1000, 600);
  int32_t offset = 7;
  ASSERT_TRUE(DividerOffsetAt(input, 101, 300, offset));
  EXPECT_EQ(offset, -79);  // -79.8 is cut towards zero
  EXPECT_TRUE(DividerOffsetAt(input, 900, 300, offset));
  EXPECT_EQ(offset, 80);
  EXPECT_FALSE(DividerOffsetAt(input, 950, 300, offset));
  EXPECT_EQ(offset, 80);
  EXPECT_EQ(StepDivider(75, 1), 85);
  EXPECT_EQ(StepDivider(80, 1), 80);
  EXPECT_EQ(StepDivider(-85, 1), -75);

  EXPECT_FALSE(IsOverDivider(input, 500, 503, 300));
  EXPECT_FALSE(IsOverDivider(input, 500, 500, 20));   // on the toolbar
  EXPECT_FALSE(IsOverDivider(input, 500, 500, 584));  // on the status line
  EXPECT_TRUE(IsOverDivider(input, 500, 500, 583));
}

TEST(FixedFontTable, OutsideTheTableNothingAndOlderSystemsGetCourierNew) {
  EXPECT_EQ(FixedFontIndex(999, 1000), -1);
  EXPECT_EQ(FixedFontIndex(1000, 1005), -1);
  EXPECT_TRUE(FixedFontDescription(1000, 1009, 10).lfFaceName.empty());
  for (int32_t face : {1001, 1002}) EXPECT_EQ(FixedFontDescription(1000, face, 5).lfFaceName, u"Courier New");
  EXPECT_EQ(FixedFontDescription(1000, 1001, 5).lfHeight, 14);
  EXPECT_EQ(FixedFontDescription(1000, 1001, 6).lfHeight, 15);
}

TEST(MainStatusBar, FieldsRunRightToLeftAndBlanksCoverTheRest) {
  CurrentItemInfo current;
  current.name = u"report.txt";
  current.attributes = 0x21;  // read-only, archive
  current.typeName = u"Text Document";
  current.owner = u"alice";
  const StatusBarFields fields = ArrangeStatusBar(current, 100);
  EXPECT_EQ(fields.typeName, u" " + Text(17, u' ') + u"Text Document  ");
  EXPECT_EQ(fields.attributes, u"  -R-A-      ");
  EXPECT_EQ(fields.owner, u" alice ");
  EXPECT_EQ(fields.typeColumn, 100 - 33 + 1);
  EXPECT_EQ(fields.ownerColumn, fields.typeColumn - 13 - 7);
  EXPECT_EQ(fields.blankFrom, 10);
  // A type name longer than thirty characters is not cut.
  current.typeName = Text(40, u'x');
  EXPECT_EQ(ArrangeStatusBar(current, 100).typeName.size(), 43u);
}

// A brief panel of 3 columns x 4 rows, 95 + 5 pixels wide and 10 high from y 20, over a list
// whose first item is "..".
class CursorMovement : public ::testing::Test {
 protected:
  void Fill(int count) {
    for (int i = 0; i < count; ++i) {
      PanelItem* item = NewItem(i == 0 ? Text(u"..") : u"f" + Text(1, u'0' + i % 10));
      item->size = i == 0 ? kUpEntrySize : 1;
      item->attributes = i == 0 ? 0x10 : 0;
      Append(list, item);
    }
    panel.columns = 3, panel.rowsPerColumn = 4, panel.capacity = 12;
    panel.columnWidth = 95, panel.columnGap = 5, panel.rowHeight = 10, panel.firstRowY = 20;
  }
  std::pair<int, int> Where() const { return {panel.cursor, panel.top}; }
  Panel panel = AttachedPanel();
  ItemList list;
};

TEST_F(CursorMovement, KeysStopAtTheEndsAndKeepTheCursorOnThePage) {
  Fill(30);
  PageUp(panel, list);
  EXPECT_EQ(Where(), std::make_pair(0, 0));
  PageDown(panel, list);
  EXPECT_EQ(Where(), std::make_pair(11, 11));
  CursorEnd(panel, list);
  EXPECT_EQ(Where(), std::make_pair(29, 18));
  CursorDown(panel, list);
  EXPECT_EQ(Where(), std::make_pair(29, 18));
  CursorHome(panel, list);
  for (int i = 0; i < 12; ++i) CursorDown(panel, list);
  EXPECT_EQ(Where(), std::make_pair(12, 1));

  ClearItems(list);
  Fill(10);
  panel.cursor = 7, panel.top = 0;  // last column
  ColumnForward(panel, list);
  EXPECT_EQ(Where(), std::make_pair(9, 0));
  panel.cursor = 2;  // first column
  ColumnBack(panel, list);
  EXPECT_EQ(Where(), std::make_pair(0, 0));
}

TEST_F(CursorMovement, HitTestClampsToColumnsRowsAndItemsAndInsertSkipsTheUpEntry) {
  Fill(10);
  EXPECT_EQ(HitTest(panel, list, 105, 41), 6);   // column 1, row 2
  EXPECT_EQ(HitTest(panel, list, 5000, 25), 8);  // past the last column: column 2, row 0
  EXPECT_EQ(HitTest(panel, list, 250, 900), 9);  // past the list
  EXPECT_EQ(HitTest(panel, list, -40, -40), 0);

  // Insert never selects the up entry.
  panel.cursor = 0;
  ToggleAndDown(panel, list);
  ToggleAndDown(panel, list);
  EXPECT_EQ(At(list, 0).selected, 0u);
  EXPECT_EQ(At(list, 1).selected, 1u);
  EXPECT_EQ(panel.cursor, 2);
}

}  // namespace
}  // namespace nrv
