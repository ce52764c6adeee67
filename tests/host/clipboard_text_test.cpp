#include <gtest/gtest.h>

#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/clipboard_text.h"
#include "panel/context_menu_names.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

class PanelNames : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    folder.MakeFile("one.txt");
    folder.MakeFile("two.txt");
    folder.MakeFile("three.txt");
    folder.MakeFile("four.txt");
    folder.MakeFolder("sub");
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", sub, four, one, three, two
  }
  int IndexOf(TextView name) {
    for (int i = 0; i < Count(list); ++i)
      if (ItemName(At(list, i)) == name) return i;
    return -1;
  }
  void Select(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) At(list, IndexOf(name)).selected = 1;
    RecountSelection(list, panel);
  }

  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(PanelNames, CursorItemAloneGivesItsFullPathAndOneLineBreak) {
  panel.cursor = IndexOf(u"two.txt");
  EXPECT_EQ(ClipboardNamesText(panel, list, true), panel.path + u"/two.txt\r\n");
  EXPECT_EQ(ClipboardNamesText(panel, list, false), u"two.txt\r\n");
  panel.cursor = 0;  // ".."
  EXPECT_EQ(ClipboardNamesText(panel, list, true), u"");
}

TEST_F(PanelNames, SelectedItemsInListOrderNotTheCursorOne) {
  Select({u"three.txt", u"one.txt", u"sub"});
  At(list, 0).selected = 1;  // ".." never goes along
  panel.cursor = IndexOf(u"four.txt");
  EXPECT_EQ(ClipboardNamesText(panel, list, false), u"sub\r\none.txt\r\nthree.txt\r\n");
}

TEST_F(PanelNames, ArchiveFoldersGetALeadingBackslashWithFullPaths) {
  panel.archiveOpen = 1;
  Select({u"sub", u"one.txt"});
  EXPECT_EQ(ClipboardNamesText(panel, list, true), u"\\sub\r\none.txt\r\n");
  EXPECT_EQ(ClipboardNamesText(panel, list, false), u"sub\r\none.txt\r\n");
}

TEST_F(PanelNames, OverlongFullPathsAreCut) {
  ClearItems(list);
  Append(list, NewItem(Text(300, u'n')));
  panel.selectedFiles = panel.selectedFolders = 0;
  panel.cursor = 0;
  const Text text = ClipboardNamesText(panel, list, true);
  EXPECT_EQ(text.size(), kMaxPathLength + 2);
}

TEST_F(PanelNames, ContextMenuTakesTheCursorItemIntoASelection) {
  Select({u"one.txt", u"three.txt"});
  panel.cursor = IndexOf(u"two.txt");
  EXPECT_EQ(CollectContextMenuNames(panel, list), (std::vector<Text>{u"one.txt", u"three.txt", u"two.txt"}));
  EXPECT_EQ(At(list, IndexOf(u"two.txt")).selected, 1u);
  EXPECT_EQ(panel.selectedFiles, 3);

  // Alone, the cursor item is left unselected, even when it was the selected one.
  for (PanelItem* item : list.items) item->selected = 0;
  Select({u"four.txt"});
  panel.cursor = IndexOf(u"four.txt");
  EXPECT_EQ(CollectContextMenuNames(panel, list), std::vector<Text>{u"four.txt"});
  EXPECT_EQ(At(list, panel.cursor).selected, 0u);
  EXPECT_EQ(panel.selectedFiles, 0);

  // On ".." alone there are no names: the menu is the folder's own.
  panel.cursor = 0;
  EXPECT_TRUE(CollectContextMenuNames(panel, list).empty());
  EXPECT_EQ(At(list, 0).selected, 0u);
}

}  // namespace
}  // namespace nrv
