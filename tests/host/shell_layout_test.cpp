#include <gtest/gtest.h>

#include "shell/fixed_font_table.h"
#include "shell/main_layout.h"
#include "shell/status_bar_fields.h"

namespace nrv {
namespace {

MainLayoutInput Client(int32_t width, int32_t height, int32_t offset = 0) {
  MainLayoutInput input;
  input.clientWidth = width;
  input.clientHeight = height;
  input.statusCharHeight = 16;
  input.toolbarHeight = kToolbarHeight;
  input.windowsOffset = offset;
  return input;
}

TEST(ShellLayout, SideBySidePanelsShareTheWidthUnderTheToolbar) {
  // An odd width leaves the last column to the gap paint.
  PanelRects rects = LayOutPanels(Client(1001, 600));
  EXPECT_EQ(rects.left, (ShellRect{0, 20, 500, 564}));
  EXPECT_EQ(rects.right, (ShellRect{500, 20, 500, 564}));

  rects = LayOutPanels(Client(1000, 600, 80));
  EXPECT_EQ(rects.left.width, 900);
  EXPECT_EQ(rects.right.x, 900);
  EXPECT_EQ(rects.right.width, 100);

  rects = LayOutPanels(Client(1000, 600, -30));
  EXPECT_EQ(rects.left.width, 350);
  EXPECT_EQ(rects.right.width, 650);
  EXPECT_EQ(rects.left.width + rects.right.width, 1000);

  MainLayoutInput noToolbar = Client(1000, 600);
  noToolbar.toolbarHeight = 0;
  rects = LayOutPanels(noToolbar);
  EXPECT_EQ(rects.left.y, 0);
  EXPECT_EQ(rects.left.height, 584);
}

TEST(ShellLayout, StackedPanelsSplitTheHeightAroundTheOffset) {
  MainLayoutInput input = Client(800, 617);
  input.stacked = true;
  // S = 617/2 - 16/2 - 20/2 + 1 = 291.
  PanelRects rects = LayOutPanels(input);
  EXPECT_EQ(rects.left, (ShellRect{0, 20, 800, 291}));
  EXPECT_EQ(rects.right, (ShellRect{0, 311, 800, 291}));

  input.windowsOffset = -50;
  rects = LayOutPanels(input);
  EXPECT_EQ(rects.left.height, 291 - 145);
  EXPECT_EQ(rects.right.y, 20 + 291 - 145);
  EXPECT_EQ(rects.right.height, 291 + 145);
}

TEST(ShellLayout, GapRunsFromToolbarToStatusLine) {
  EXPECT_EQ(PanelGap(Client(1001, 600)), (ShellRect{0, 20, 1001, 564}));
}

TEST(ShellLayout, DefaultWindowIsTwoThirdsOfAWideScreenCentred) {
  // H 800: W = 1120, window 746 x 533 at 560 - 373, 400 - 266.
  EXPECT_EQ(DefaultWindowRect(800), (ShellRect{187, 134, 746, 533}));
  // 1.4 x 1001 = 1401.4 is cut to 1401 before the thirds are taken.
  EXPECT_EQ(DefaultWindowRect(1001), (ShellRect{233, 167, 934, 667}));
}

TEST(ShellLayout, DraggingTheDividerStopsAtEightyPercent) {
  MainLayoutInput input = Client(1000, 600);
  int32_t offset = 7;
  ASSERT_TRUE(DividerOffsetAt(input, 750, 300, offset));
  EXPECT_EQ(offset, 50);
  ASSERT_TRUE(DividerOffsetAt(input, 101, 300, offset));
  EXPECT_EQ(offset, -79);  // -79.8 is cut towards zero
  EXPECT_TRUE(DividerOffsetAt(input, 900, 300, offset));
  EXPECT_EQ(offset, 80);
  offset = 5;
  EXPECT_FALSE(DividerOffsetAt(input, 950, 300, offset));
  EXPECT_EQ(offset, 5);

  input.stacked = true;
  ASSERT_TRUE(DividerOffsetAt(input, 0, 150, offset));
  EXPECT_EQ(offset, -50);
}

TEST(ShellLayout, DividerHoverBand) {
  MainLayoutInput input = Client(1000, 600);
  EXPECT_TRUE(IsOverDivider(input, 500, 498, 300));
  EXPECT_TRUE(IsOverDivider(input, 500, 502, 300));
  EXPECT_FALSE(IsOverDivider(input, 500, 503, 300));
  EXPECT_FALSE(IsOverDivider(input, 500, 500, 20));   // on the toolbar
  EXPECT_FALSE(IsOverDivider(input, 500, 500, 584));  // on the status line
  EXPECT_TRUE(IsOverDivider(input, 500, 500, 583));

  input.stacked = true;
  EXPECT_TRUE(IsOverDivider(input, 280, 10, 302));
  EXPECT_FALSE(IsOverDivider(input, 280, 10, 303));
}

TEST(ShellLayout, KeyboardStepsGoOnePastTheDragLimit) {
  EXPECT_EQ(StepDivider(-75, -1), -85);
  EXPECT_EQ(StepDivider(-80, -1), -80);
  EXPECT_EQ(StepDivider(75, 1), 85);
  EXPECT_EQ(StepDivider(80, 1), 80);
  EXPECT_EQ(StepDivider(-85, 1), -75);
}

TEST(FixedFontTable, FifteenFontsBySizeAndFace) {
  EXPECT_EQ(FixedFontIndex(1000, 1000), 0);
  EXPECT_EQ(FixedFontIndex(1002, 1004), 14);
  EXPECT_EQ(FixedFontIndex(999, 1000), -1);
  EXPECT_EQ(FixedFontIndex(1000, 1005), -1);

  platform::FontDescription font = FixedFontDescription(1001, 1000, 10);
  EXPECT_EQ(font.lfFaceName, u"Lucida Console");
  EXPECT_EQ(font.lfHeight, 13);
  EXPECT_EQ(font.lfCharSet, 1);

  font = FixedFontDescription(1002, 1004, 10);
  EXPECT_EQ(font.lfFaceName, u"Terminal");
  EXPECT_EQ(font.lfWidth, 10);
  EXPECT_EQ(font.lfHeight, 18);
  EXPECT_EQ(font.lfWeight, 400);

  font = FixedFontDescription(1002, 1002, 6);
  EXPECT_EQ(font.lfFaceName, u"Consolas");
  EXPECT_EQ(font.lfHeight, 20);
  EXPECT_EQ(font.lfWeight, 700);

  EXPECT_TRUE(FixedFontDescription(1000, 1000, 10).lfFaceName.size() > 0);
  EXPECT_TRUE(FixedFontDescription(1000, 1009, 10).lfFaceName.empty());
}

TEST(FixedFontTable, OlderSystemsGetCourierNewForBothConsolasFaces) {
  for (int32_t size = 1000; size <= 1002; ++size) {
    const platform::FontDescription plain = FixedFontDescription(size, 1001, 5);
    const platform::FontDescription bold = FixedFontDescription(size, 1002, 5);
    EXPECT_EQ(plain.lfFaceName, u"Courier New");
    EXPECT_EQ(plain.lfFaceName, bold.lfFaceName);
    EXPECT_EQ(plain.lfHeight, bold.lfHeight);
    EXPECT_EQ(plain.lfWeight, bold.lfWeight);
  }
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
  EXPECT_EQ(fields.typeName.size(), 33u);
  EXPECT_EQ(fields.attributes, u"  -R-A-      ");
  EXPECT_EQ(fields.owner, u" alice ");
  EXPECT_EQ(fields.typeColumn, 100 - 33 + 1);
  EXPECT_EQ(fields.attributesColumn, fields.typeColumn - 13);
  EXPECT_EQ(fields.ownerColumn, fields.attributesColumn - 7);
  EXPECT_EQ(fields.blankFrom, 10);
  EXPECT_EQ(fields.blankTo, fields.ownerColumn);

  // A type name longer than thirty characters is not cut.
  current.typeName = Text(40, u'x');
  EXPECT_EQ(ArrangeStatusBar(current, 100).typeName.size(), 43u);
}

}  // namespace
}  // namespace nrv
