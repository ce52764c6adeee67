// The visible list of an archive panel rebuilt from the archive's items, and walking it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "archive/archive_format.h"
#include "archive/archive_navigation.h"
#include "archive/extract_selection.h"
#include "core/listing.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;
using Names_ = std::vector<Text>;

class ArchiveListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.side = kLeftPanel;
    panel.sortMode = kSortUnsorted;
    panel.archiveOpen = 1;
    panel.archiveItems = &archive;
  }

  ArchiveItemList& Archive() { return archive; }
  void File(TextView path, uint64_t size = 1, uint64_t time = 0, uint32_t attributes = 0) {
    AppendArchiveItem(Archive(), {path, attributes, false, size, time});
  }
  void Folder(TextView path, uint64_t time = 0) { AppendArchiveItem(Archive(), {path, 0, true, 0, time}); }
  Names_ Rebuild() {
    EXPECT_EQ(RebuildArchiveList(panel, visible), 0);
    return Names(visible);
  }
  const PanelItem& Visible(TextView name) { return At(visible, IndexOfName(visible, name)); }

  ArchiveItemList archive;
  Panel panel;
  ItemList visible;
};

TEST_F(ArchiveListTest, RecordsKeepTheFullPathAll64BitsOfTheSizeAndFoldersAsMinusOne) {
  File(u"big\\five.bin", 5ull << 30, 77, 0x21);
  Folder(u"big", 3);
  File(Text(300, u'n'));
  const auto& items = Archive().items;
  EXPECT_EQ(ItemName(Archive(), items[0]), u"big\\five.bin");
  EXPECT_EQ(items[0].size, int64_t{5} << 30);
  EXPECT_EQ(items[0].attributes, 0x21u);
  EXPECT_EQ(items[0].writeTime, 77u);
  EXPECT_EQ(items[1].attributes, 0x10u);
  EXPECT_EQ(items[1].size, kFolderSize);
  EXPECT_EQ(ItemName(Archive(), items[2]).size(), kMaxPathLength);
  EXPECT_EQ(sizeof(ArchiveItem), 24u);
  Rebuild();
  EXPECT_EQ(Visible(u"big").size, kFolderSize);
  EXPECT_EQ(Visible(u"big").creationTime, 77u) << "the first item's time, as all three times";
  panel.archiveFolder = u"big\\";
  Rebuild();
  EXPECT_EQ(Visible(u"five.bin").size, int64_t{5} << 30);
}

TEST_F(ArchiveListTest, NamesStayOneByteACharacterUntilOneNeedsMoreAndThenAllAreKept) {
  File(u"caf\u00e9\\men\u00fc.txt");
  File(u"plain.txt");
  EXPECT_FALSE(Archive().wide);
  EXPECT_EQ(Archive().narrowNames.size(), 22u) << "a byte for each character";
  File(u"\u0434\u043e\u043a\\\u0444\u0430\u0439\u043b");  // Cyrillic folder and file
  File(u"last.txt");
  EXPECT_TRUE(Archive().wide);
  const auto& items = Archive().items;
  EXPECT_EQ(ItemName(Archive(), items[0]), u"caf\u00e9\\men\u00fc.txt");
  EXPECT_EQ(ItemName(Archive(), items[1]), u"plain.txt");
  EXPECT_EQ(ItemName(Archive(), items[2]), u"\u0434\u043e\u043a\\\u0444\u0430\u0439\u043b");
  EXPECT_EQ(ItemName(Archive(), items[3]), u"last.txt");
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"caf\u00e9", u"plain.txt", u"\u0434\u043e\u043a", u"last.txt"}));
}

TEST_F(ArchiveListTest, ThirtyCharacterPathsCostFarLessThan200BytesAnItem) {
  ReserveArchiveItems(Archive(), 10000, 32);
  char path[40];
  for (int i = 0; i < 10000; ++i) {
    std::snprintf(path, sizeof path, "folder_%03d_abc\\item_%05d.txt", i / 100, i);
    File(Ascii(path));
  }
  EXPECT_EQ(ItemName(Archive(), Archive().items[9999]), u"folder_099_abc\\item_09999.txt");
  EXPECT_LE(HeldBytes(Archive()) / 10000, 24u + 32u);
}

TEST_F(ArchiveListTest, FoldersImpliedByDeeperItemsAppearOnceWithTheFirstItemsTime) {
  File(u"docs\\readme.txt", 10, 500);
  File(u"docs\\guide\\intro.txt", 20, 600);
  File(u"top.txt", 3, 700);
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"docs", u"top.txt"}));
  EXPECT_EQ(Visible(u"docs").attributes, 0x10u);
  EXPECT_EQ(Visible(u"docs").writeTime, 500u);
  EXPECT_EQ(Visible(u"top.txt").attributes, 0x20u);  // none given: archive bit
  EXPECT_EQ(At(visible, 0).size, kUpEntrySize);
  panel.archiveFolder = u"docs\\";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"readme.txt", u"guide"}));
}

TEST_F(ArchiveListTest, AFolderItemAndItsContentsGiveOneEntry) {
  File(u"docs\\a.txt");
  Folder(u"docs");
  File(u"docs/b.txt");  // some formats separate with "/"
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"docs"}));
  panel.archiveFolder = u"docs\\";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"a.txt", u"b.txt"}));
}

TEST_F(ArchiveListTest, NamesDifferingOnlyInCaseShowTheFirstAndThePrefixIgnoresCase) {
  File(u"A\\x");
  File(u"a\\y");
  File(u"README");
  File(u"readme");
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"A", u"README"}));
  panel.archiveFolder = u"A\\";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"x", u"y"}));
}

TEST_F(ArchiveListTest, AFolderIsNotThePrefixOfALongerName) {
  File(u"doc\\one");
  File(u"docs\\two");
  File(u"doc");
  panel.archiveFolder = u"doc\\";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"one"}));
  panel.archiveFolder = u"docs\\";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"two"}));
}

TEST_F(ArchiveListTest, DotDotItemsAndEmptyNamesNeverShow) {
  File(u"..");
  File(u"..\\evil");
  File(u"\\lead");
  File(u"");
  EXPECT_EQ(Rebuild(), (Names_{u".."}));
}

// tar -cf x.tar -C dir . names its items "./a.txt" (".\a.txt" once the library has turned the
// separators), and "./" is the root itself.
TEST_F(ArchiveListTest, AnArchiveMadeFromDotListsItsItemsAtTheRootAndExtractionFindsThemAgain) {
  const std::vector<Text> inArchive = {u".", u".\\a.txt", u".\\sub", u".\\sub\\b.txt", u"./././c.txt", u".hidden",
                                       u"..\\up.txt"};
  Folder(inArchive[0]);
  File(inArchive[1]);
  Folder(inArchive[2]);
  File(inArchive[3]);
  File(inArchive[4]);
  File(inArchive[5]);
  File(inArchive[6]);
  EXPECT_EQ(Count(Archive()), 6) << "the root item itself is not an item";
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"a.txt", u"sub", u"c.txt", u".hidden"}));
  ASSERT_EQ(EnterArchiveFolder(panel, visible, u"sub"), 0);
  EXPECT_EQ(Names(visible), (Names_{u"..", u"b.txt"}));

  // F5 and Enter choose by the names the panel shows; the library is asked by its own paths.
  std::vector<uint32_t> indices;
  const auto pathAt = [&](uint32_t i) { return inArchive[i]; };
  const auto count = static_cast<uint32_t>(inArchive.size());
  ASSERT_TRUE(CollectExtractIndices({{u"b.txt", false}}, u"sub\\", count, pathAt, indices));
  EXPECT_EQ(indices, (std::vector<uint32_t>{3}));
  EXPECT_EQ(OutputRelativePath(inArchive[3], 4).relative, u"b.txt") << "inside sub\\ the file lands by its own name";
  ASSERT_TRUE(CollectExtractIndices({{u"a.txt", false}, {u"sub", true}, {u"c.txt", false}}, u"", count, pathAt, indices));
  EXPECT_EQ(indices, (std::vector<uint32_t>{1, 2, 3, 4}));
  EXPECT_EQ(OutputRelativePath(inArchive[3], 0).relative, u"sub\\b.txt");
  EXPECT_EQ(OutputRelativePath(inArchive[4], 0).relative, u"c.txt");
  ASSERT_TRUE(CollectExtractIndices({{u".hidden", false}}, u"", count, pathAt, indices));
  EXPECT_EQ(indices, (std::vector<uint32_t>{5})) << "a name that only begins with a dot is a name";
}

TEST_F(ArchiveListTest, TheListIsSortedInThePanelsModeWithTheUpEntryFirst) {
  File(u"b.txt");
  File(u"a.txt");
  File(u"z\\in");
  panel.sortMode = kSortName;
  EXPECT_EQ(Rebuild(), (Names_{u"..", u"z", u"a.txt", u"b.txt"}));
  Folder(u".hidden");  // sorts before ".." by extension
  panel.sortMode = kSortExtension;
  EXPECT_EQ(Rebuild(), (Names_{u"..", u".hidden", u"z", u"a.txt", u"b.txt"}));
}

TEST_F(ArchiveListTest, WalkingInAndOutPutsTheCursorOnTheFolderJustLeft) {
  File(u"a\\b\\c.txt");
  File(u"a\\0.txt");
  File(u"a\\1.txt");
  ASSERT_EQ(Rebuild(), (Names_{u"..", u"a"}));
  ASSERT_EQ(EnterArchiveFolder(panel, visible, u"a"), 0);
  EXPECT_EQ(panel.archiveFolder, u"a\\");
  ASSERT_EQ(EnterArchiveFolder(panel, visible, u"b"), 0);
  EXPECT_EQ(panel.archiveFolder, u"a\\b\\");
  EXPECT_EQ(Names(visible), (Names_{u"..", u"c.txt"}));
  EXPECT_EQ(panel.cursor, 0);
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(panel.archiveFolder, u"a\\");
  EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"b");
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(panel.archiveFolder, u"");
  EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"a");
}

TEST_F(ArchiveListTest, UpAtTheRootLeavesTheArchiveWithTheCursorOnTheArchiveFile) {
  test::TempFolder folder;
  for (const char* name : {"a.txt", "data.7z", "z.txt"}) folder.MakeFile(name);
  panel.path = folder.Path().u16string();
  panel.findName = u"data.7z";
  panel.archiveFormat = kFormat7z;
  panel.sortMode = kSortName;
  File(u"inside.txt");
  Rebuild();
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(panel.archiveOpen, 0);
  EXPECT_EQ(panel.archiveFormat, 0);
  EXPECT_EQ(Count(Archive()), 0);
  EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"data.7z");
}

TEST_F(ArchiveListTest, AnArchiveDeletedWhileShownIsWalkedFromItsListAndLeftQuietly) {
  test::TempFolder folder;
  const auto file = folder.MakeFile("gone.7z");
  panel.path = folder.Path().u16string();
  panel.findName = u"gone.7z";
  File(u"in\\side.txt");
  Rebuild();
  std::filesystem::remove(file);
  ASSERT_EQ(EnterArchiveFolder(panel, visible, u"in"), 0);
  EXPECT_EQ(Names(visible), (Names_{u"..", u"side.txt"}));
  test::MessageCapture capture;
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(panel.archiveOpen, 0);
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(Names(visible), (Names_{u".."}));
  EXPECT_TRUE(capture.Taken().empty());
}

TEST_F(ArchiveListTest, APanelOfNoSideIsRefused) {
  test::MessageCapture capture;
  panel.side = 3;
  EXPECT_EQ(ArchiveItemsOf(panel), nullptr);
  EXPECT_EQ(RebuildArchiveList(panel, visible), -1);
  ASSERT_EQ(capture.Taken().size(), 1u);
  EXPECT_EQ(capture.Taken()[0].text, u"Unknown panel ID");
}

}  // namespace
}  // namespace nrv
