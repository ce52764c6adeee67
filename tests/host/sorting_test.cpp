// Panel items and the sort orders users see, with their tie-breaks and key limits.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <algorithm>
#include <random>
#include <tuple>
#include <utility>

#include "core/item_list.h"
#include "core/listing.h"
#include "core/sorting.h"
#include "platform/files.h"
#include "support/item_names.h"

namespace nrv {
namespace {

TEST(PanelItem, ExtensionIsLowerCasedTextAfterTheLastInnerDotOfANameCutAtTheLimit) {
  EXPECT_EQ(ExtensionOf(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(ExtensionOf(u".profile"), u"");
  EXPECT_EQ(ExtensionOf(u"name."), u"");
  EXPECT_EQ(ExtensionOf(u"..x"), u"x");
  // Only A to Z fold; a Cyrillic capital stays as it is.
  EXPECT_EQ(ExtensionOf(u"doc.\u0414OC"), u"\u0414oc");
  // Names are cut at the limit, and copies outlive their source.
  const Text longName = Text(kMaxNameLength - 4, u'n') + u".Txt";
  ItemList source, copy;
  Append(source, NewItem(longName + u"overflow"));
  Append(copy, NewItem(u"old"));
  CopyItems(source, copy, true);
  ClearItems(source);
  EXPECT_EQ(ItemName(At(copy, 0)), longName);
  EXPECT_EQ(ItemExtension(At(copy, 0)), u"txt");
  EXPECT_EQ(ItemNameZ(At(copy, 0))[kMaxNameLength], u'\0');
}

TEST(PanelItem, FindDataBecomesAnItem) {
  platform::FindData data;
  data.name = u"big.iso";
  data.attributes = platform::kAttributeArchive;
  data.sizeHigh = 0x80000001u;  // above 2^63: kept as the signed value the list stores
  data.sizeLow = 5;
  data.reserved0 = 0xA0000003u;
  PanelItem* item = MakeItemFromFindData(data);
  EXPECT_EQ(item->size, static_cast<int64_t>(0x8000000100000005ull));
  EXPECT_EQ(item->reparseTag, 0xA0000003u);
  FreeItem(item);
}

using test::Names;
using Order = std::vector<Text>;

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

Order Sorted(ItemList& list, int32_t mode) {
  Panel panel = AttachedPanel();
  panel.sortMode = mode;
  EXPECT_EQ(SortItems(list, panel), 0);
  return Names(list);
}

// Reference keys: the class mark and the name joined into one string, folded, compared whole.
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

// Names that start with the class marks themselves, names equal when folded, shared stems
// that stop the fast runs over equal characters mid-word, names and extensions that run past
// the key limits, and every item against itself.
TEST(SortByName, AgreesWithJoinedKeysOnRandomNames) {
  const char16_t alphabet[] = {u'a', u'A', u'b', u'B', u'.', u'_', u'\u0001', u'\u0002',
                               u'\u0003', u'\u044F', u'\u042F', u'z'};
  const Text longExtension = u"." + Text(259, u'e');
  const Text stems[] = {u"", u"IMG_2024", u"img_2024", u"Report-A", u"report-a",
                        Text(1021, u'n'), u"a" + longExtension, u"B" + longExtension};
  std::mt19937 random(7);
  ItemList list;
  for (int i = 0; i < 300; ++i) {
    Text name(stems[random() % std::size(stems)]);
    for (int c = static_cast<int>(random() % 6); c > 0; --c) name += alphabet[random() % std::size(alphabet)];
    if (name.empty()) name = i % 2 ? u"." : u"..";
    Append(list, random() % 3 == 0 ? Folder(name) : File(name));
  }
  for (const PanelItem* a : list.items) {
    for (const PanelItem* b : list.items) {
      const Text an = ReferenceNameKey(*a), bn = ReferenceNameKey(*b);
      ASSERT_EQ(CompareNames(*a, *b), an < bn) << ToUtf8(ItemName(*a)) << " / " << ToUtf8(ItemName(*b));
      const Text ae = ReferenceExtensionKey(*a), be = ReferenceExtensionKey(*b);
      ASSERT_EQ(CompareExtensions(*a, *b), ae == be ? an < bn : ae < be);
    }
  }
}

TEST(SortBySize, SignedSixtyFourBitThenName) {
  ItemList list;
  for (auto [name, size] : {std::pair{u"huge", INT64_MAX}, {u"4g", int64_t{1} << 32},
                            {u"2g", int64_t{1} << 31}, {u"b5", 5}, {u"A5", 5}, {u"empty", 0}})
    Append(list, File(name, size));
  for (TextView name : {u"zeta", u"Beta", u".."}) Append(list, Folder(name));
  EXPECT_EQ(Sorted(list, kSortSize),
            (Order{u"..", u"Beta", u"zeta", u"empty", u"A5", u"b5", u"2g", u"4g", u"huge"}));
}

TEST(SortByTime, NewestFirstWithTheUpEntryAboveEverything) {
  ItemList list;
  for (auto [name, access, creation, write] :
       {std::tuple{u"..", 0ull, 0ull, 0ull}, {u"old", 1ull, 0xFFFFFFFFull, 0x8000000000000000ull},
        {u"mid", 0xFFFFFFFFull, 0x100000000ull, 2ull}, {u"new", 0x100000000ull, 1ull, 0x7FFFFFFFFFFFFFFFull},
        {u"dir", 0x8000000000000000ull, 5ull, 1ull}, {u"max", ~0ull, 0ull, 0ull}, {u"Tie", 0ull, 0ull, 0ull}}) {
    PanelItem* item = name[0] == u'.' || name == Text(u"dir") ? Folder(name) : File(name);
    item->accessTime = access, item->creationTime = creation, item->writeTime = write;
    Append(list, item);
  }
  // A file with every bit set ties with the up entry and falls back to the name order.
  EXPECT_EQ(Sorted(list, kSortAccessTime), (Order{u"..", u"max", u"dir", u"new", u"mid", u"old", u"Tie"}));
  EXPECT_EQ(Sorted(list, kSortCreationTime), (Order{u"..", u"mid", u"old", u"dir", u"new", u"max", u"Tie"}));
  EXPECT_EQ(Sorted(list, kSortWriteTime), (Order{u"..", u"old", u"new", u"mid", u"dir", u"max", u"Tie"}));
}

TEST(SortItems, EmptyListsAndUnknownModesChangeNothing) {
  Panel panel = AttachedPanel();
  panel.sortMode = kSortExtension;
  ItemList list;
  EXPECT_EQ(SortItems(list, panel), -1);
  EXPECT_EQ(SetSortMode(panel, list, kSortSize), -1);
  EXPECT_EQ(panel.sortMode, kSortExtension);
  Append(list, File(u"b"));
  Append(list, File(u"a"));
  EXPECT_EQ(SetSortMode(panel, list, 1007), -1);
  EXPECT_EQ(panel.sortMode, kSortExtension);
}

// Switches to mode with the cursor and top row given; answers where they went.
std::pair<int, int> CursorAfter(Panel& panel, ItemList& list, int32_t mode, int cursor, int top) {
  panel.cursor = cursor;
  panel.top = top;
  EXPECT_EQ(SetSortMode(panel, list, mode), 0);
  return {panel.cursor, panel.top};
}

// Files f00..f49 with sizes falling as the names rise, so Name and Size reverse each other.
TEST(ResortKeepingCursor, KeepsTheDistanceFromTheTopRowOnListsOfAPageOrMore) {
  ItemList list;
  for (int i = 0; i < 50; ++i)
    Append(list, File(u"f" + Text(1, u'0' + i / 10) + Text(1, u'0' + i % 10), 1000 - i));
  Panel panel = AttachedPanel();
  panel.sortMode = kSortName;
  panel.capacity = 10;
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 30, 25), std::make_pair(19, 14));
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"f30");
  EXPECT_EQ(CursorAfter(panel, list, kSortName, 2, 0), std::make_pair(47, 45));
  // Near the start the top row cannot go above the first item.
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 47, 40), std::make_pair(2, 0));
  // Exactly one page long counts as long; shorter starts at the top.
  panel.capacity = 50;
  EXPECT_EQ(CursorAfter(panel, list, kSortName, 39, 30), std::make_pair(10, 1));
  panel.capacity = 51;
  EXPECT_EQ(CursorAfter(panel, list, kSortSize, 10, 4), std::make_pair(39, 0));
}

}  // namespace
}  // namespace nrv
