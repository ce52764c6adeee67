#include <gtest/gtest.h>

#include "config/settings.h"
#include "core/masks.h"
#include "core/selection.h"

namespace nrv {
namespace {

TEST(MatchMask, OnePatternWithImpliedDot) {
  EXPECT_TRUE(MatchMask(u"README", u"*.*"));
  EXPECT_TRUE(MatchMask(u"NOTES.TXT", u"*.txt"));
  // A name without a dot carries an implied one at its end, which "a?c" does not match.
  EXPECT_FALSE(MatchMask(u"abc", u"a?c"));
  EXPECT_TRUE(MatchMask(u"abc", u"a?c*"));
  EXPECT_FALSE(MatchMask(u"README", u"readme"));
  EXPECT_TRUE(MatchMask(u"README", u"readme.*"));
  // A semicolon is part of the one pattern, not a separator.
  EXPECT_FALSE(MatchMask(u"a.txt", u"*.doc;*.txt"));
  EXPECT_TRUE(MatchMask(u"x.doc;y.txt", u"*.doc;*.txt"));
  EXPECT_FALSE(MatchMask(u"", u"*"));
  EXPECT_FALSE(MatchMask(u"a", u""));
  EXPECT_TRUE(MatchMask(u"a.b", u"???"));
  EXPECT_FALSE(MatchMask(u"a.bc", u"???"));
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

TEST(GroupSelection, MasksTakeFoldersOnlyWhenAllowedAndQuickSearchCentres) {
  TheSettings() = Settings{};
  Panel panel;
  ItemList list;
  for (auto [name, folder] : {std::pair{u"..", true}, {u"Reports", true}, {u"readme.txt", false},
                              {u"notes.TXT", false}, {u"data.bin", false}}) {
    PanelItem* item = NewItem(name);
    item->attributes = folder ? 0x10 : 0;
    item->size = folder ? -1 : 10;
    Append(list, item);
  }
  list.items[0]->size = kUpEntrySize;
  ApplyMaskSelection(panel, list, u"*", true);
  EXPECT_EQ(panel.selectedFiles, 3);
  EXPECT_EQ(panel.selectedFolders, 0);
  TheSettings().PanelSelectFolders = 1;
  ApplyMaskSelection(panel, list, u"*", true);
  EXPECT_EQ(panel.selectedFolders, 1);
  EXPECT_EQ(At(list, 0).selected, 0u);
  TheSettings().PanelSelectFolders = 0;
  ApplyMaskSelection(panel, list, u"*", false);
  EXPECT_EQ(panel.selectedFolders + panel.selectedFiles, 0);
  ApplyMaskSelection(panel, list, u"*.txt", true);
  EXPECT_EQ(panel.selectedFiles, 2);

  // Quick search takes the first match in list order and centres it, but no more than a page
  // from the end.
  panel.itemCount = Count(list), panel.visibleCount = 4, panel.columns = 1;
  EXPECT_EQ(JumpToPrefix(panel, list, u"RE"), 1);
  EXPECT_EQ(panel.top, 0);
  EXPECT_EQ(JumpToPrefix(panel, list, u"da"), 4);
  EXPECT_EQ(panel.top, 1);
  EXPECT_EQ(JumpToPrefix(panel, list, u"zz"), -1);
  EXPECT_EQ(panel.cursor, 4);
  TheSettings() = Settings{};
}

}  // namespace
}  // namespace nrv
