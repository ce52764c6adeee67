#include <gtest/gtest.h>

#include "core/item_list.h"

namespace nrv {
namespace {

TEST(PanelItem, ExtensionRules) {
  EXPECT_EQ(ExtensionOf(u"archive.tar.gz"), u"gz");
  EXPECT_EQ(ExtensionOf(u"README"), u"");
  EXPECT_EQ(ExtensionOf(u".profile"), u"");
  EXPECT_EQ(ExtensionOf(u"Photo.JPG"), u"jpg");
  EXPECT_EQ(ExtensionOf(u"name."), u"");
}

}  // namespace
}  // namespace nrv
