#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>

#include "core/sorting.h"
#include "platform/files.h"
#include "support/item_names.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

PanelItem* File(TextView name, int64_t size = 0) {
  PanelItem* item = NewItem(name);
  item->attributes = platform::kAttributeArchive;
  item->size = size;
  return item;
}

PanelItem* Folder(TextView name) {
  PanelItem* item = NewItem(name);
  item->attributes = platform::kAttributeDirectory;
  item->size = IsDotName(name) ? kUpEntrySize : kFolderSize;
  return item;
}

std::vector<Text> Sorted(ItemList& list, int32_t mode) {
  Panel panel;
  panel.sortMode = mode;
  EXPECT_EQ(SortItems(list, panel), 0);
  return Names(list);
}

// Reference order: the keys joined into strings, folded, compared as a whole.
Text Folded(Text text) {
  for (auto& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return text;
}
Text ReferenceNameKey(const PanelItem& item) {
  const Text name(ItemName(item));
  Text key = IsDotName(name) ? u"\u0001" + name : IsFolder(item) ? u"\u0002" + name : name;
  return Folded(key.substr(0, 1024));
}
Text ReferenceExtensionKey(const PanelItem& item) {
  Text key = IsFolder(item) ? u"\u0002" : u"";
  key += ItemExtension(item).empty() ? Text(u"\u0003") : Text(ItemExtension(item));
  return Folded(key.substr(0, 260));
}

TEST(SortByName, UpEntryThenFoldersThenFilesWithoutRegardToCase) {
  const std::vector<Text> expected{u"..", u"Alpha", u"beta", u"a.txt", u"b", u"B.txt"};
  // Every arrival order gives the same result.
  std::vector<int> order{0, 1, 2, 3, 4, 5};
  do {
    ItemList list;
    PanelItem* made[] = {Folder(u".."), Folder(u"Alpha"), Folder(u"beta"),
                         File(u"a.txt"), File(u"b"),      File(u"B.txt")};
    for (int i : order) Append(list, made[i]);
    ASSERT_EQ(Sorted(list, kSortName), expected);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SortByName, FoldsOnlyLatinCapitals) {
  ItemList list;
  // Cyrillic cases are different characters; '[' lies between 'Z' and 'a', so it sorts
  // before the letters only when capitals are folded down, not small letters up.
  for (TextView name : {u"\u0430", u"\u0411", u"\u0410", u"\u0431", u"Z", u"[x]", u"a"})
    Append(list, File(name));
  EXPECT_EQ(Sorted(list, kSortName),
            (std::vector<Text>{u"[x]", u"a", u"Z", u"\u0410", u"\u0411", u"\u0430", u"\u0431"}));
}

TEST(SortByName, PrefixGoesFirst) {
  ItemList list;
  for (TextView name : {u"abcd", u"abc", u"AB"}) Append(list, File(name));
  EXPECT_EQ(Sorted(list, kSortName), (std::vector<Text>{u"AB", u"abc", u"abcd"}));
}

TEST(SortByName, KeysStopAtTheNameLimit) {
  const Text stem(1023, u'n');
  ItemList list;
  Append(list, File(stem + u"b"));
  Append(list, File(stem + u"a"));
  Append(list, Folder(stem + u"b"));
  Append(list, Folder(stem + u"a"));
  Append(list, File(stem + u"ab"));  // cut to 1024 characters: stem + "a"
  EXPECT_EQ(ItemName(At(list, 0)).size(), 1024u);
  // Files compare on all 1024 characters.
  EXPECT_TRUE(CompareNames(At(list, 1), At(list, 0)));
  EXPECT_FALSE(CompareNames(At(list, 1), At(list, 4)));
  // A folder's key holds its mark and 1023 characters of the name, so these two tie.
  EXPECT_FALSE(CompareNames(At(list, 2), At(list, 3)));
  EXPECT_FALSE(CompareNames(At(list, 3), At(list, 2)));
  EXPECT_TRUE(CompareNames(At(list, 3), At(list, 1)));

  // The extension key holds 260 characters the same way.
  const Text longExtension(259, u'e');
  ItemList folders;
  Append(folders, Folder(u"z." + longExtension + u"a"));
  Append(folders, Folder(u"a." + longExtension + u"b"));
  EXPECT_TRUE(CompareExtensions(At(folders, 1), At(folders, 0)));
  ItemList files;
  Append(files, File(u"z." + longExtension + u"a"));
  Append(files, File(u"a." + longExtension + u"b"));
  EXPECT_TRUE(CompareExtensions(At(files, 0), At(files, 1)));
}

// Includes names that start with the class marks themselves, equal folded names and every
// item against itself.
TEST(SortByName, AgreesWithJoinedKeysOnRandomNames) {
  const char16_t alphabet[] = {u'a', u'A', u'b', u'B', u'.', u'_', u'\u0001', u'\u0002',
                               u'\u0003', u'\u044F', u'\u042F', u'z'};
  std::mt19937 random(7);
  ItemList list;
  for (int i = 0; i < 300; ++i) {
    // Shared stems that differ only in case make the fast runs over equal characters stop
    // in the middle of a word.
    const TextView stems[] = {u"", u"IMG_2024", u"img_2024", u"Report-A", u"report-a"};
    Text name(stems[random() % std::size(stems)]);
    const int length = static_cast<int>(random() % 6);
    for (int c = 0; c < length; ++c) name += alphabet[random() % std::size(alphabet)];
    if (name.empty()) name = i % 2 ? u"." : u"..";
    Append(list, random() % 3 == 0 ? Folder(name) : File(name));
  }
  for (const PanelItem* a : list.items) {
    for (const PanelItem* b : list.items) {
      const Text an = ReferenceNameKey(*a), bn = ReferenceNameKey(*b);
      ASSERT_EQ(CompareNames(*a, *b), an < bn)
          << ToUtf8(ItemName(*a)) << " / " << ToUtf8(ItemName(*b));
      const Text ae = ReferenceExtensionKey(*a), be = ReferenceExtensionKey(*b);
      ASSERT_EQ(CompareExtensions(*a, *b), ae == be ? an < bn : ae < be);
    }
  }
}

TEST(SortByExtension, FoldersFirstThenNoExtensionThenByExtensionThenName) {
  ItemList list;
  for (TextView name : {u"c.txt", u"b.DOC", u"README", u"a.doc", u"z.do", u".profile", u"noext"})
    Append(list, File(name));
  for (TextView name : {u"x.zip", u"y", u"..", u"Alpha"}) Append(list, Folder(name));
  EXPECT_EQ(Sorted(list, kSortExtension),
            (std::vector<Text>{u"..", u"Alpha", u"y", u"x.zip", u".profile", u"noext", u"README",
                               u"z.do", u"a.doc", u"b.DOC", u"c.txt"}));
}

TEST(SortBySize, SignedSixtyFourBitThenName) {
  ItemList list;
  Append(list, File(u"huge", INT64_MAX));
  Append(list, File(u"4g", int64_t{1} << 32));
  Append(list, File(u"2g", int64_t{1} << 31));
  Append(list, File(u"b5", 5));
  Append(list, File(u"A5", 5));
  Append(list, File(u"empty", 0));
  Append(list, Folder(u"zeta"));
  Append(list, Folder(u"Beta"));
  Append(list, Folder(u".."));
  EXPECT_EQ(Sorted(list, kSortSize), (std::vector<Text>{u"..", u"Beta", u"zeta", u"empty", u"A5",
                                                        u"b5", u"2g", u"4g", u"huge"}));
}

TEST(SortByTime, NewestFirstWithTheUpEntryAboveEverything) {
  struct Times {
    const char16_t* name;
    bool folder;
    uint64_t access, creation, write;
  };
  const Times rows[] = {
      {u"..", true, 0, 0, 0},
      {u"old", false, 1, 0xFFFFFFFFull, 0x8000000000000000ull},
      {u"mid", false, 0xFFFFFFFFull, 0x100000000ull, 2},
      {u"new", false, 0x100000000ull, 1, 0x7FFFFFFFFFFFFFFFull},
      {u"dir", true, 0x8000000000000000ull, 5, 1},
      {u"max", false, ~0ull, 0, 0},
      {u"Tie", false, 0, 0, 0},
  };
  ItemList list;
  for (const Times& row : rows) {
    PanelItem* item = row.folder ? Folder(row.name) : File(row.name);
    item->accessTime = row.access;
    item->creationTime = row.creation;
    item->writeTime = row.write;
    Append(list, item);
  }
  // A file with every bit set ties with the up entry and falls back to the name order.
  EXPECT_EQ(Sorted(list, kSortAccessTime),
            (std::vector<Text>{u"..", u"max", u"dir", u"new", u"mid", u"old", u"Tie"}));
  EXPECT_EQ(Sorted(list, kSortCreationTime),
            (std::vector<Text>{u"..", u"mid", u"old", u"dir", u"new", u"max", u"Tie"}));
  EXPECT_EQ(Sorted(list, kSortWriteTime),
            (std::vector<Text>{u"..", u"old", u"new", u"mid", u"dir", u"max", u"Tie"}));
}

TEST(SortItems, EmptyListFailsAndUnknownModeLeavesTheOrder) {
  Panel panel;
  ItemList list;
  EXPECT_EQ(SortItems(list, panel), -1);
  Append(list, File(u"b"));
  Append(list, File(u"a"));
  panel.sortMode = 999;
  EXPECT_EQ(SortItems(list, panel), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"b", u"a"}));
}

class Unsorted : public ::testing::Test {
 protected:
  void SetUp() override { saved = std::filesystem::current_path(); }
  void TearDown() override { std::filesystem::current_path(saved); }

  // The folder's entries in the order the file system gives them.
  std::vector<Text> FileSystemOrder() {
    std::vector<Text> names;
    platform::FindHandle find;
    platform::FindData data;
    const Text pattern = folder.Path().u16string() + u"/*.*";
    for (bool more = platform::FindFirst(pattern, find, data); more;
         more = platform::FindNext(find, data))
      if (data.name != u".") names.push_back(data.name);
    return names;
  }

  std::filesystem::path saved;
  test::TempFolder folder;
};

TEST_F(Unsorted, RereadsALocalFolderInFileSystemOrder) {
  for (const char* name : {"m", "C", "a", "zz", "B"}) folder.MakeFile(name);
  folder.MakeFolder("sub");
  Panel panel;
  panel.path = folder.Path().u16string();
  panel.sortMode = kSortUnsorted;
  panel.itemCount = 9;
  ItemList list;
  Append(list, File(u"stale"));
  EXPECT_EQ(SortItems(list, panel), 0);
  EXPECT_EQ(Names(list), FileSystemOrder());
  EXPECT_EQ(Count(list), 7);
  EXPECT_EQ(panel.itemCount, 0);
}

TEST_F(Unsorted, LeavesTheTemporaryPanelAsItIs) {
  Panel panel;
  panel.path = folder.Path().u16string();
  panel.sortMode = kSortUnsorted;
  panel.temporary = 1;
  ItemList list;
  Append(list, File(u"b"));
  Append(list, File(u"a"));
  EXPECT_EQ(SortItems(list, panel), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"b", u"a"}));
}

TEST_F(Unsorted, CursorStaysWhereItWasWhenItsItemIsGone) {
  folder.MakeFile("present");
  Panel panel;
  panel.path = folder.Path().u16string();
  ItemList list;
  for (int i = 0; i < 5; ++i) Append(list, File(u"gone" + Ascii(std::to_string(i))));
  panel.cursor = 3;
  panel.top = 1;
  EXPECT_EQ(SetSortMode(panel, list, kSortUnsorted), 0);
  EXPECT_EQ(Names(list), FileSystemOrder());
  EXPECT_EQ(panel.cursor, 3);
  EXPECT_EQ(panel.top, 1);
}

// Files f00..f49 with sizes falling as the names rise, so Name and Size reverse each other.
void FillFifty(ItemList& list) {
  for (int i = 0; i < 50; ++i) {
    Text name = u"f";
    name += static_cast<char16_t>(u'0' + i / 10);
    name += static_cast<char16_t>(u'0' + i % 10);
    Append(list, File(name, 1000 - i));
  }
}

// Switches to mode with the cursor and top row given; answers where they went.
std::pair<int, int> CursorAfter(Panel& panel, ItemList& list, int32_t mode, int cursor, int top) {
  panel.cursor = cursor;
  panel.top = top;
  EXPECT_EQ(SetSortMode(panel, list, mode), 0);
  EXPECT_EQ(panel.sortMode, mode);
  return {panel.cursor, panel.top};
}

TEST(ResortKeepingCursor, LongListKeepsTheDistanceFromTheTopRow) {
  ItemList list;
  FillFifty(list);
  Panel panel;
  panel.sortMode = kSortName;
  panel.capacity = 10;
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 30, 25), std::make_pair(19, 14));
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"f30");
  EXPECT_EQ(CursorAfter(panel, list, kSortName, 2, 0), std::make_pair(47, 45));
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"f47");
  // Near the start the top row cannot go above the first item.
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 47, 40), std::make_pair(2, 0));
}

TEST(ResortKeepingCursor, ListShorterThanThePageStartsAtTheTop) {
  ItemList list;
  FillFifty(list);
  Panel panel;
  panel.sortMode = kSortName;
  panel.capacity = 51;
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 10, 4), std::make_pair(39, 0));
  // Exactly one page long counts as long.
  panel.capacity = 50;
  EXPECT_EQ(CursorAfter(panel, list, kSortName, 39, 30), std::make_pair(10, 1));
}

TEST(ResortKeepingCursor, FindsTheFirstNameThatMatchesFolded) {
  ItemList list;
  Append(list, File(u"readme", 5));
  Append(list, Folder(u"README"));
  Panel panel;
  panel.capacity = 10;
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 0, 0), std::make_pair(0, 0));
  EXPECT_EQ(ItemName(At(list, 0)), u"README");
}

TEST(SetSortMode, EmptyListOrUnknownModeChangesNothing) {
  Panel panel;
  panel.sortMode = kSortExtension;
  ItemList list;
  EXPECT_EQ(SetSortMode(panel, list, kSortSize), -1);
  EXPECT_EQ(panel.sortMode, kSortExtension);
  Append(list, File(u"a"));
  EXPECT_EQ(SetSortMode(panel, list, 1007), -1);
  EXPECT_EQ(panel.sortMode, kSortExtension);
}

}  // namespace
}  // namespace nrv
