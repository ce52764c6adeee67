// The names a panel hands to the clipboard and the shell menu, where the rules are the
// program's own. Plain names and full paths are checked under Wine.
#include <gtest/gtest.h>

#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/clipboard_text.h"
#include "panel/context_menu_names.h"

namespace nrv {
namespace {

class PanelNames : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [name, folder] : {std::pair{u"..", true}, {u"sub", true}, {u"one.txt", false},
                                {u"two.txt", false}, {u"three.txt", false}}) {
      PanelItem* item = NewItem(name);
      item->attributes = folder ? 0x10 : 0x20;
      item->size = folder ? kFolderSize : 1;
      Append(list, item);
    }
    list.items[0]->size = kUpEntrySize;
    panel.path = u"C:\\pack.7z";
  }
  void Select(std::initializer_list<int> indices) {
    for (PanelItem* item : list.items) item->selected = 0;
    for (int index : indices) At(list, index).selected = 1;
    RecountSelection(list, panel);
  }
  Panel panel;
  ItemList list;
};

TEST_F(PanelNames, ClipboardLeavesOutTheUpEntryMarksArchiveFoldersAndCutsLongPaths) {
  panel.cursor = 0;
  EXPECT_EQ(ClipboardNamesText(panel, list, true), u"");
  panel.archiveOpen = 1;
  Select({0, 1, 2});
  EXPECT_EQ(ClipboardNamesText(panel, list, true), u"\\sub\r\none.txt\r\n");
  EXPECT_EQ(ClipboardNamesText(panel, list, false), u"sub\r\none.txt\r\n");

  panel.archiveOpen = 0;
  ClearItems(list);
  Append(list, NewItem(Text(300, u'n')));
  Select({});
  EXPECT_EQ(ClipboardNamesText(panel, list, true).size(), kMaxPathLength + 2);
}

TEST_F(PanelNames, ContextMenuTakesTheCursorItemIntoASelectionButNotAlone) {
  Select({2, 4});
  panel.cursor = 3;
  EXPECT_EQ(CollectContextMenuNames(panel, list), (std::vector<Text>{u"one.txt", u"two.txt", u"three.txt"}));
  EXPECT_EQ(At(list, 3).selected, 1u);
  EXPECT_EQ(panel.selectedFiles, 3);

  Select({3});  // alone, even when it was the selected one
  EXPECT_EQ(CollectContextMenuNames(panel, list), std::vector<Text>{u"two.txt"});
  EXPECT_EQ(At(list, 3).selected, 0u);
  EXPECT_EQ(panel.selectedFiles, 0);

  panel.cursor = 0;  // on ".." alone the menu is the folder's own
  EXPECT_TRUE(CollectContextMenuNames(panel, list).empty());
  EXPECT_EQ(At(list, 0).selected, 0u);
}

}  // namespace
}  // namespace nrv
