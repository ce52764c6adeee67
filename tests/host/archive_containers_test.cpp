// The string and vector templates of the archive code.
#include <gtest/gtest.h>

#include "archive/archive_containers.h"

namespace nrv {
namespace {

TEST(ArchiveContainers, StringsFindCutCompareAndGrow) {
  UString path(u"docs\\guide\\intro.txt");
  EXPECT_EQ(path.Find(u'\\'), 4);
  EXPECT_EQ(path.ReverseFind(u'\\'), 10);
  EXPECT_EQ(path.Find(u'\\', 5), 10);
  EXPECT_EQ(path.Find(u'|'), -1);
  EXPECT_EQ(path.Find(u"intro"), 11);
  EXPECT_EQ(path.Left(4).Std(), u"docs");
  EXPECT_EQ(path.Mid(11).Std(), u"intro.txt");
  EXPECT_EQ(path.Mid(5, 5).Std(), u"guide");
  EXPECT_EQ(path.Mid(99).Std(), u"");
  path.Delete(0, 5);
  EXPECT_EQ(path.Std(), u"guide\\intro.txt");
  path.Delete(99);  // past the end: nothing
  path += u'!';
  EXPECT_EQ(path.Length(), 16);
  EXPECT_EQ(path[15], u'!');
  EXPECT_EQ(UString(u"ABC").CompareNoCase(UString(u"abc")), 0);
  EXPECT_EQ(UString(u"ABC").Compare(UString(u"abc")), -1);
  EXPECT_EQ(UString(u"ab").CompareNoCase(UString(u"ABC")), -1);
  EXPECT_EQ(UString(u"\x0414").CompareNoCase(UString(u"\x0434")), -1) << "A to Z only";
}

TEST(ArchiveContainers, VectorsOwnTheirObjects) {
  CRecordVector<uint32_t> indices;
  EXPECT_EQ(indices.Add(7), 0);
  EXPECT_EQ(indices.Add(9), 1);
  indices.Delete(0);
  EXPECT_EQ(indices.Size(), 1);
  EXPECT_EQ(indices[0], 9u);
  CObjectVector<UString> names;
  names.Add(UString(u"a"));
  names.Add(UString(u"b"));
  names.Delete(0);
  EXPECT_EQ(names[0].Std(), u"b");
  names.Clear();
  EXPECT_TRUE(names.IsEmpty());
}

}  // namespace
}  // namespace nrv
