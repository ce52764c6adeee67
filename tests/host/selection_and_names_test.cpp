// Masks, group selection, quick search and the names a panel hands to the clipboard and the
// shell menu. Plain names and full paths on the clipboard are checked under Wine.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <random>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/listing.h"
#include "core/masks.h"
#include "core/selection.h"
#include "panel/clipboard_text.h"
#include "panel/context_menu_names.h"
#include "shell/cursor_movement.h"

namespace nrv {
namespace {

TEST(MatchMask, OnePatternWithImpliedDot) {
  // A name without a dot carries an implied one at its end, which "a?c" does not match.
  EXPECT_FALSE(MatchMask(u"abc", u"a?c"));
  EXPECT_TRUE(MatchMask(u"abc", u"a?c*"));
  EXPECT_FALSE(MatchMask(u"README", u"readme"));
  EXPECT_TRUE(MatchMask(u"README", u"readme.*"));
  // A semicolon is part of the one pattern, not a separator.
  EXPECT_FALSE(MatchMask(u"a.txt", u"*.doc;*.txt"));
  EXPECT_TRUE(MatchMask(u"x.doc;y.txt", u"*.doc;*.txt"));
  EXPECT_FALSE(MatchMask(u"", u"*"));
  // Masks of wildcards only: the implied dot counts as a character to match.
  EXPECT_TRUE(MatchMask(u"README", u"*.*"));
  EXPECT_TRUE(MatchMask(u"x", u"**"));
  EXPECT_TRUE(MatchMask(u"abc", u"????"));
  EXPECT_FALSE(MatchMask(u"abc", u"???"));
  EXPECT_FALSE(MatchMask(u"abc.txt", u"???"));
  EXPECT_FALSE(MatchMask(u"a", u""));
  // Backtracking past a false start.
  EXPECT_TRUE(MatchMask(u"mississippi.x", u"*iss*ppi.?"));
  EXPECT_FALSE(MatchMask(u"mississippi.x", u"*iss*ppa.?"));
}

TEST(MatchMask, FoldsLatinAndCyrillicOnly) {
  EXPECT_TRUE(MatchMask(u"\u0414\u0410\u041D\u041D\u042B\u0415.txt", u"\u0434\u0430*"));
  EXPECT_TRUE(MatchMask(u"\u0401\u0436.txt", u"\u0451*"));
  EXPECT_FALSE(MatchMask(u"\u00C9t\u00E9.txt", u"\u00E9*"));  // Latin-1 capitals are not folded
  EXPECT_EQ(EqualsFolded(u"Abc", u"aBC"), 1);
  EXPECT_EQ(EqualsFolded(u"", u""), 0);
  EXPECT_EQ(StartsWithFolded(u"Reports", u"re"), 1);
  EXPECT_EQ(StartsWithFolded(u"re", u""), 0);
}

class PanelNames : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestSettings() = Settings{};
    for (auto [name, folder] : {std::pair{u"..", true}, {u"sub", true}, {u"one.txt", false},
                                {u"two.txt", false}, {u"three.txt", false}}) {
      PanelItem* item = NewItem(name);
      item->attributes = folder ? 0x10 : 0x20;
      item->size = folder ? kFolderSize : 1;
      Append(list, item);
    }
    list.items[0]->size = kUpEntrySize;
  }
  void TearDown() override { test::TestSettings() = Settings{}; }
  void Select(std::initializer_list<int> indices) {
    for (PanelItem* item : list.items) item->selected = 0;
    for (int index : indices) At(list, index).selected = 1;
    RecountSelection(list, panel);
  }
  Panel panel = AttachedPanel();
  ItemList list;
};

TEST_F(PanelNames, MasksTakeFoldersOnlyWhenAllowedAndQuickSearchCentres) {
  ApplyMaskSelection(panel, list, u"*", true);
  EXPECT_EQ(panel.selectedFiles, 3);
  EXPECT_EQ(panel.selectedFolders, 0);
  test::TestSettings().PanelSelectFolders = 1;
  ApplyMaskSelection(panel, list, u"*", true);
  EXPECT_EQ(panel.selectedFolders, 1);
  EXPECT_EQ(At(list, 0).selected, 0u);
  test::TestSettings().PanelSelectFolders = 0;
  ApplyMaskSelection(panel, list, u"*", false);
  EXPECT_EQ(panel.selectedFolders + panel.selectedFiles, 0);
  ApplyMaskSelection(panel, list, u"T*.txt", true);
  EXPECT_EQ(panel.selectedFiles, 2);

  // Quick search takes the first match in list order and centres it, but no more than a page
  // from the end.
  panel.itemCount = Count(list), panel.visibleCount = 4, panel.columns = 1;
  EXPECT_EQ(JumpToPrefix(panel, list, u"ON"), 2);
  EXPECT_EQ(panel.top, 0);
  EXPECT_EQ(JumpToPrefix(panel, list, u"th"), 4);
  EXPECT_EQ(panel.top, 1);
  EXPECT_EQ(JumpToPrefix(panel, list, u"zz"), -1);
  EXPECT_EQ(panel.cursor, 4);
}

TEST_F(PanelNames, ClipboardLeavesOutTheUpEntryMarksArchiveFoldersAndCutsLongPaths) {
  panel.cursor = 0;
  EXPECT_EQ(ClipboardNamesText(panel, list, true, &ArchiveClipboardPath), u"");
  panel.archiveOpen = 1;
  Select({0, 1, 2});
  EXPECT_EQ(ClipboardNamesText(panel, list, true, &ArchiveClipboardPath), u"\\sub\r\none.txt\r\n");
  EXPECT_EQ(ClipboardNamesText(panel, list, false, &ArchiveClipboardPath), u"sub\r\none.txt\r\n");

  panel.archiveOpen = 0;
  ClearItems(list);
  Append(list, NewItem(Text(300, u'n')));
  Select({});
  EXPECT_EQ(ClipboardNamesText(panel, list, true, &LocalClipboardPath).size(), kMaxPathLength + 2);
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

// The counts are kept as each selection changes, never recounted on drawing: after any run of
// the ways a selection changes they must be what a recount finds.
TEST_F(PanelNames, KeptSelectionCountsMatchARecountAfterRandomChanges) {
  for (int i = 0; i < 60; ++i) {
    const bool folder = i % 5 == 0;
    PanelItem* item = NewItem(Ascii((folder ? "dir" : i % 2 ? "a" : "b") + std::to_string(i) + (i % 3 ? ".txt" : ".doc")));
    item->attributes = folder ? 0x10 : 0x20;
    item->size = folder ? kFolderSize : i * 1000;
    Append(list, item);
  }
  const int count = Count(list);
  panel.itemCount = count, panel.capacity = count, panel.rowsPerColumn = count, panel.columns = 1;
  panel.rowHeight = 10, panel.columnWidth = 200, panel.firstRowY = 0, panel.top = 0, panel.cursor = 0;
  Select({});

  const auto expectRecounted = [&](int step, int operation) {
    int32_t files = 0, folders = 0;
    int64_t bytes = 0;
    for (const PanelItem* item : list.items) {
      if (!item->selected) continue;
      if (IsFolder(*item)) {
        ++folders;
      } else {
        ++files;
        bytes += item->size;
      }
    }
    ASSERT_EQ(panel.selectedFiles, files) << "step " << step << ", operation " << operation;
    ASSERT_EQ(panel.selectedFolders, folders) << "step " << step << ", operation " << operation;
    ASSERT_EQ(panel.selectedBytes, bytes) << "step " << step << ", operation " << operation;
  };
  static const char16_t* const kMasks[] = {u"*.txt", u"a*", u"*", u"dir*", u"b1*.doc"};
  std::mt19937 random(20261206);
  const auto pick = [&](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
  for (int step = 0; step < 3000; ++step) {
    const int operation = pick(8);
    const int index = pick(count);
    switch (operation) {
      case 0: SelectItem(panel, At(list, index), static_cast<uint32_t>(pick(2))); break;
      case 1:
        test::TestSettings().PanelSelectFolders = pick(2);
        ApplyMaskSelection(panel, list, kMasks[pick(5)], pick(2) == 1);
        break;
      case 2: InvertSelection(list, panel); break;
      case 3: SetAll(list, panel, static_cast<uint32_t>(pick(2))); break;
      case 4:
        panel.cursor = index;
        ToggleAndDown(panel, list);
        break;
      case 5: RightPress(panel, list, 5, index * 10 + 1); break;
      case 6:
        RightDrag(panel, list, 5, index * 10 + 1);
        if (pick(4) == 0) panel.rightDragActive = 0;
        break;
      default:
        panel.cursor = index;
        CollectContextMenuNames(panel, list);
        break;
    }
    expectRecounted(step, operation);
  }
}

TEST_F(PanelNames, TotalsCountTheSelectionOfARestoredListAndANewViewKeepsIt) {
  At(list, 1).selected = At(list, 2).selected = At(list, 3).selected = 1;
  panel.selectedFiles = 99;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.selectedFolders, 1);
  EXPECT_EQ(panel.selectedFiles, 2);
  EXPECT_EQ(panel.selectedBytes, 2);
  ResetView(panel);  // a location that then fails to list still shows the list it has
  EXPECT_EQ(panel.selectedFiles, 2);
  ClearItems(list, panel);
  EXPECT_EQ(panel.selectedFiles + panel.selectedFolders, 0);
  EXPECT_EQ(panel.selectedBytes, 0);
}

}  // namespace
}  // namespace nrv
