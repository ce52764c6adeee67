#include <gtest/gtest.h>

#include "shell/cursor_movement.h"

namespace nrv {
namespace {

// A brief panel of 3 columns x 4 rows over a list whose first item is "..".
class CursorMovement : public ::testing::Test {
 protected:
  void Fill(int count) {
    ClearItems(list);
    for (int i = 0; i < count; ++i) {
      PanelItem* item = NewItem(i == 0 ? Text(u"..") : u"f" + Text(1, static_cast<char16_t>(u'0' + i % 10)));
      item->size = i == 0 ? kUpEntrySize : 1;
      item->attributes = i == 0 ? 0x10 : 0;
      Append(list, item);
    }
    panel.columns = 3;
    panel.rowsPerColumn = 4;
    panel.capacity = 12;
    panel.columnWidth = 95;
    panel.columnGap = 5;
    panel.rowHeight = 10;
    panel.firstRowY = 20;
  }
  Panel panel;
  ItemList list;
};

TEST_F(CursorMovement, EmptyPanelMovesNothing) {
  panel.cursor = 3;
  EXPECT_EQ(CursorDown(panel, list), -1);
  EXPECT_EQ(PageDown(panel, list), -1);
  EXPECT_EQ(WheelStep(panel, list, true, false), -1);
  EXPECT_EQ(RightPress(panel, list, 10, 30), -1);
  EXPECT_EQ(HitTest(panel, list, 10, 30), 0);
  EXPECT_EQ(panel.cursor, 3);
}

TEST_F(CursorMovement, ColumnsStopAtTheEnds) {
  Fill(10);
  panel.cursor = 7;  // last column
  ColumnForward(panel, list);
  EXPECT_EQ(panel.cursor, 9);
  EXPECT_EQ(panel.top, 0);
  panel.cursor = 2;  // first column
  ColumnBack(panel, list);
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(panel.top, 0);
}

TEST_F(CursorMovement, PagesAndEndsOnALongList) {
  Fill(30);
  PageUp(panel, list);
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(panel.top, 0);
  PageDown(panel, list);
  EXPECT_EQ(panel.cursor, 11);
  EXPECT_EQ(panel.top, 11);
  CursorEnd(panel, list);
  EXPECT_EQ(panel.cursor, 29);
  EXPECT_EQ(panel.top, 18);
  CursorDown(panel, list);
  EXPECT_EQ(panel.cursor, 29);
  CursorHome(panel, list);
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(panel.top, 0);
  for (int i = 0; i < 12; ++i) CursorDown(panel, list);
  EXPECT_EQ(panel.cursor, 12);
  EXPECT_EQ(panel.top, 1);  // the cursor stays on the page
}

TEST_F(CursorMovement, InsertNeverSelectsTheUpEntry) {
  Fill(5);
  ToggleAndDown(panel, list);
  ToggleAndDown(panel, list);
  EXPECT_EQ(At(list, 0).selected, 0u);
  EXPECT_EQ(At(list, 1).selected, 1u);
  EXPECT_EQ(panel.cursor, 2);
  EXPECT_EQ(panel.selectedFiles, 1);
  panel.cursor = 1;
  ToggleAndDown(panel, list);
  EXPECT_EQ(At(list, 1).selected, 0u);
}

TEST_F(CursorMovement, WheelMovesOneItemOrOneColumnPerMessage) {
  Fill(30);
  WheelStep(panel, list, true, false);
  EXPECT_EQ(panel.cursor, 1);
  EXPECT_EQ(panel.top, 1);
  WheelStep(panel, list, true, true);
  EXPECT_EQ(panel.cursor, 5);
  EXPECT_EQ(panel.top, 5);
  WheelStep(panel, list, false, false);
  EXPECT_EQ(panel.cursor, 4);
  EXPECT_EQ(panel.top, 4);
  panel.cursor = 2;
  WheelStep(panel, list, false, true);  // not a whole column left: nothing
  EXPECT_EQ(panel.cursor, 2);
}

TEST_F(CursorMovement, HitTestClampsToColumnsRowsAndItems) {
  Fill(10);
  EXPECT_EQ(HitTest(panel, list, 105, 41), 6);   // column 1, row 2
  EXPECT_EQ(HitTest(panel, list, 5000, 25), 8);  // past the last column: column 2, row 0
  EXPECT_EQ(HitTest(panel, list, 250, 900), 9);  // past the list
  EXPECT_EQ(HitTest(panel, list, -40, -40), 0);
}

TEST_F(CursorMovement, RightDragRepeatsWhatThePressDid) {
  Fill(10);
  // Press on an unselected item selects it; dragging down selects the run.
  RightPress(panel, list, 5, 31);  // item 1
  EXPECT_EQ(At(list, 1).selected, 1u);
  RightDrag(panel, list, 5, 59);  // item 3
  EXPECT_EQ(panel.selectedFiles, 3);
  panel.rightDragActive = 0;

  // Press on a selected item deselects it; dragging down deselects, ".." stays clear.
  RightPress(panel, list, 5, 41);  // item 2
  EXPECT_EQ(At(list, 2).selected, 0u);
  RightDrag(panel, list, 5, 59);
  EXPECT_EQ(At(list, 3).selected, 0u);
  EXPECT_EQ(At(list, 1).selected, 1u);
  // Moving up from the anchor covers the pointer's item up to the one before the anchor.
  RightDrag(panel, list, 5, 21);
  EXPECT_EQ(At(list, 1).selected, 0u);
  EXPECT_EQ(At(list, 0).selected, 0u);
  EXPECT_EQ(panel.selectedFiles, 0);
}

}  // namespace
}  // namespace nrv
