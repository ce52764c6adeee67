#include <gtest/gtest.h>

#include <utility>

#include "shell/cursor_movement.h"

namespace nrv {
namespace {

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
  Panel panel;
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
