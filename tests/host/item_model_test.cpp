#include <gtest/gtest.h>

#include "core/item_list.h"
#include "core/listing.h"
#include "platform/files.h"

namespace nrv {
namespace {

TEST(PanelItem, ExtensionIsLowerCasedTextAfterTheLastInnerDot) {
  EXPECT_EQ(ExtensionOf(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(ExtensionOf(u".profile"), u"");
  EXPECT_EQ(ExtensionOf(u"name."), u"");
  EXPECT_EQ(ExtensionOf(u"..x"), u"x");
  // Only A to Z fold; a Cyrillic capital stays as it is.
  EXPECT_EQ(ExtensionOf(u"doc.\u0414OC"), u"\u0414oc");
}

TEST(PanelItem, NamesAreCutAtTheLimitAndCopiesOutliveTheirSource) {
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

}  // namespace
}  // namespace nrv
