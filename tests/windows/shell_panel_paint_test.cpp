#include <gtest/gtest.h>
#include <windows.h>

#include "config/settings.h"
#include "core/item_list.h"
#include "panel/panel_paint_win32.h"

namespace nrv {
namespace {

// Distinct colours, so each rule shows which one it picked.
class ItemColoursTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = TheSettings();
    Settings& s = TheSettings();
    s.ClrPanelBackground = RGB(1, 1, 1);
    s.ClrPanelSelectedBackground = RGB(2, 2, 2);
    s.ClrPanelSelectedText = RGB(3, 3, 3);
    s.ClrPanelHiddenFilesText = RGB(4, 4, 4);
    s.ClrPanelFoldersText = RGB(5, 5, 5);
    s.ClrPanelExecutableFilesText = RGB(6, 6, 6);
    s.ClrPanelArchiveFilesText = RGB(7, 7, 7);
    s.ClrPanelFilesText = RGB(8, 8, 8);
    dc_ = ::CreateCompatibleDC(nullptr);
  }
  void TearDown() override {
    ::DeleteDC(dc_);
    TheSettings() = saved_;
  }

  int Add(const char16_t* name, uint32_t attributes, uint32_t selected = 0) {
    PanelItem* item = NewItem(name);
    item->attributes = attributes;
    item->selected = selected;
    Append(list_, item);
    return Count(list_) - 1;
  }
  COLORREF Text(int index) {
    ItemColours(dc_, list_, panel_, index);
    return ::GetTextColor(dc_);
  }
  COLORREF Back(int index) {
    ItemColours(dc_, list_, panel_, index);
    return ::GetBkColor(dc_);
  }

  Settings saved_;
  HDC dc_ = nullptr;
  ItemList list_;
  Panel panel_;
};

TEST_F(ItemColoursTest, TextColourByTheFirstRuleThatApplies) {
  const int selectedFolder = Add(u"docs", FILE_ATTRIBUTE_DIRECTORY, 1);
  const int hiddenArchive = Add(u"old.zip", FILE_ATTRIBUTE_HIDDEN);
  const int folder = Add(u"src", FILE_ATTRIBUTE_DIRECTORY);
  const int upperZip = Add(u"NAME.ZIP", FILE_ATTRIBUTE_ARCHIVE);
  const int program = Add(u"setup.Exe", 0);
  const int script = Add(u"run.cmd", 0);
  const int sevenZip = Add(u"pack.7z", 0);
  const int plain = Add(u"notes.txt", 0);
  const int zipFolder = Add(u"x.zip", FILE_ATTRIBUTE_DIRECTORY);
  const int almostArchive = Add(u"file.tgz", 0);

  EXPECT_EQ(Text(selectedFolder), RGB(3, 3, 3));
  EXPECT_EQ(Text(hiddenArchive), RGB(4, 4, 4));
  EXPECT_EQ(Text(folder), RGB(5, 5, 5));
  EXPECT_EQ(Text(upperZip), RGB(7, 7, 7));
  EXPECT_EQ(Text(program), RGB(6, 6, 6));
  EXPECT_EQ(Text(script), RGB(6, 6, 6));
  EXPECT_EQ(Text(sevenZip), RGB(7, 7, 7));
  EXPECT_EQ(Text(plain), RGB(8, 8, 8));
  EXPECT_EQ(Text(zipFolder), RGB(5, 5, 5));
  EXPECT_EQ(Text(almostArchive), RGB(8, 8, 8));
}

TEST_F(ItemColoursTest, OnlyTheActivePanelShowsItsCursor) {
  const int first = Add(u"a.txt", 0);
  const int second = Add(u"b.txt", 0);
  panel_.cursor = second;
  panel_.active = 0;
  EXPECT_EQ(Back(second), RGB(1, 1, 1));
  panel_.active = 1;
  EXPECT_EQ(Back(second), RGB(2, 2, 2));
  EXPECT_EQ(Back(first), RGB(1, 1, 1));
  // An empty cell is invisible: text and background are both the panel background.
  EXPECT_EQ(Back(-1), RGB(1, 1, 1));
  EXPECT_EQ(Text(-1), RGB(1, 1, 1));
}

TEST_F(ItemColoursTest, StatusAreaNeedsRoomRightOfTheIcon) {
  panel_.statusHeight = 36;
  panel_.statusHidden = 0;
  TheSettings().PanelShowPanelStatusbar = 1;
  EXPECT_TRUE(StatusAreaShown(panel_, 40));
  EXPECT_FALSE(StatusAreaShown(panel_, 39));  // client width - 1 must exceed 38
  panel_.statusHidden = 1;
  EXPECT_FALSE(StatusAreaShown(panel_, 400));
  panel_.statusHidden = 0;
  TheSettings().PanelShowPanelStatusbar = 0;
  EXPECT_FALSE(StatusAreaShown(panel_, 400));
}

}  // namespace
}  // namespace nrv
