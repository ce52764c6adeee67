#include <gtest/gtest.h>

#include "core/item_list.h"
#include "core/listing.h"
#include "platform/files.h"

namespace nrv {
namespace {

TEST(PanelItem, ExtensionIsLowerCasedTextAfterTheLastInnerDot) {
  EXPECT_EQ(ExtensionOf(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(ExtensionOf(u"README"), u"");
  EXPECT_EQ(ExtensionOf(u".profile"), u"");
  EXPECT_EQ(ExtensionOf(u"Photo.JPG"), u"jpg");
  EXPECT_EQ(ExtensionOf(u"name."), u"");
  EXPECT_EQ(ExtensionOf(u"..x"), u"x");
  // Only A to Z fold; a Cyrillic capital stays as it is.
  EXPECT_EQ(ExtensionOf(u"doc.\u0414OC"), u"\u0414oc");

  PanelItem* item = NewItem(u"Photo.JPG");
  EXPECT_EQ(ItemName(*item), u"Photo.JPG");
  EXPECT_EQ(ItemExtension(*item), u"jpg");
  EXPECT_EQ(ItemNameZ(*item)[9], u'\0');
  FreeItem(item);
}

TEST(PanelItem, NamesAreCutAtTheLimitAndCopiesAreIndependent) {
  const Text longName = Text(kMaxNameLength - 4, u'n') + u".Txt";
  PanelItem* item = NewItem(longName + u"overflow");
  EXPECT_EQ(ItemName(*item).size(), kMaxNameLength);
  FreeItem(item);

  item = NewItem(longName);
  item->size = 77;
  item->selected = 1;
  item->writeTime = 0xFFFFFFFFFFFFFFFFull;
  ItemList source;
  Append(source, item);
  ItemList copy;
  Append(copy, NewItem(u"old"));
  CopyItems(source, copy, false);
  CopyItems(source, copy, true);
  ASSERT_EQ(Count(copy), 1);
  PanelItem& copied = At(copy, 0);
  EXPECT_NE(&copied, item);
  EXPECT_EQ(ItemName(copied), longName);
  EXPECT_EQ(ItemExtension(copied), u"txt");
  EXPECT_EQ(copied.size, 77);
  EXPECT_EQ(copied.selected, 1u);
  EXPECT_EQ(copied.writeTime, 0xFFFFFFFFFFFFFFFFull);
  ClearItems(source);
  EXPECT_EQ(ItemName(At(copy, 0)), longName);  // survives the source
}

TEST(PanelItem, FindDataBecomesAnItem) {
  platform::FindData data;
  data.name = u"big.iso";
  data.attributes = platform::kAttributeArchive;
  data.sizeHigh = 0x80000001u;  // above 2^63: kept as the signed value the list stores
  data.sizeLow = 5;
  data.reserved0 = 0xA0000003u;
  data.writeTime = 3;
  PanelItem* item = MakeItemFromFindData(data);
  EXPECT_EQ(item->size, static_cast<int64_t>(0x8000000100000005ull));
  EXPECT_EQ(item->reparseTag, 0xA0000003u);
  EXPECT_EQ(item->writeTime, 3u);
  EXPECT_EQ(item->selected, 0u);
  EXPECT_EQ(item->icon, nullptr);
  FreeItem(item);

  data.name = u"folder.d";
  data.attributes = platform::kAttributeDirectory;
  item = MakeItemFromFindData(data);
  EXPECT_EQ(item->size, kFolderSize);  // whatever the find data says
  EXPECT_EQ(ItemExtension(*item), u"d");
  FreeItem(item);

  data.name = u"..";
  item = MakeItemFromFindData(data);
  EXPECT_EQ(item->size, kUpEntrySize);
  EXPECT_TRUE(IsUpEntry(*item));
  FreeItem(item);
}

}  // namespace
}  // namespace nrv
