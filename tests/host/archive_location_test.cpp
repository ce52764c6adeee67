// An archive panel through its row of the location table: walking, leaving, sorting, totals,
// titles and names for the clipboard.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/archive_item_list.h"
#include "archive/archive_location_ops.h"
#include "archive/archive_navigation.h"
#include "core/formatting.h"
#include "core/listing.h"
#include "core/selection.h"
#include "panel/clipboard_text.h"
#include "panel/navigation.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;
using NameList = std::vector<Text>;

class ArchiveRowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.txt", "b.txt", "data.7z", "z.txt"}) folder.MakeFile(name);
    panel.side = kRightPanel;
    panel.sortMode = kSortName;
    panel.path = folder.Path().u16string();
    panel.archiveItems = &archive;
  }

  // As Enter on data.7z leaves the panel: the archive read, its fields set, the root listed.
  void Entered(int32_t top = 0) {
    // The archive's own order differs from every sorted one.
    for (const char16_t* path : {u"zeta.txt", u"docs\\guide.txt", u"Docs\\readme.txt", u"alpha.bin"})
      AppendArchiveItem(archive, {path, 0, false, 10, 0});
    AppendArchiveItem(archive, {u"empty", 0, true, 0, 0});
    panel.archiveOpen = 1;
    panel.findName = u"data.7z";
    panel.returnTop = top;
    ASSERT_EQ(ListArchive(panel, list), 0);
  }
  const LocationOps& Row() { return OpsOf(table, panel); }
  int Enter(TextView name) {
    panel.cursor = IndexOfName(list, name);
    return Row().enterItem(panel, list);
  }
  TextView CursorName() { return ItemName(At(list, panel.cursor)); }

  test::TempFolder folder;
  ArchiveItemList archive;
  Panel panel;
  ItemList list;
  LocationTable table{.archive = &ArchiveLocationOps()};
};

TEST_F(ArchiveRowTest, FoldersAreWalkedWithTheirTotalsAndUpAtTheRootReturnsToTheArchiveFile) {
  Entered(2);
  EXPECT_EQ(&Row(), &ArchiveLocationOps());
  EXPECT_EQ(Names(list), (NameList{u"..", u"docs", u"empty", u"alpha.bin", u"zeta.txt"}));
  EXPECT_EQ(panel.fileCount, 2);
  EXPECT_EQ(panel.folderCount, 2);
  EXPECT_EQ(panel.totalBytes, 20);
  EXPECT_EQ(Row().title(panel), u" data.7z\\ ");

  ASSERT_EQ(Enter(u"docs"), 0);
  EXPECT_EQ(Names(list), (NameList{u"..", u"guide.txt", u"readme.txt"}));
  EXPECT_EQ(panel.fileCount, 2);
  EXPECT_EQ(Row().title(panel), u" data.7z\\docs\\ ");
  // A file is left to the caller, which opens an extracted copy: the list stays.
  EXPECT_EQ(Enter(u"readme.txt"), kEnteredFile);
  EXPECT_EQ(Names(list).size(), 3u);

  ASSERT_EQ(Row().goUp(panel, list), 0);
  EXPECT_EQ(CursorName(), u"docs");
  ASSERT_EQ(Enter(u".."), 0);
  EXPECT_EQ(KindOf(panel), LocationKind::Local);
  EXPECT_EQ(panel.archiveFolder, u"");
  EXPECT_EQ(Names(list), (NameList{u"..", u"a.txt", u"b.txt", u"data.7z", u"z.txt"}));
  EXPECT_EQ(CursorName(), u"data.7z");
  EXPECT_EQ(panel.top, 2) << "the folder's page of before";
  EXPECT_EQ(panel.fileCount, 4);
  EXPECT_TRUE(archive.items.empty()) << "the items go with the archive";
}

TEST_F(ArchiveRowTest, UnsortedIsTheArchivesOwnOrderAndTheCursorStaysOnItsItem) {
  Entered();
  panel.cursor = IndexOfName(list, u"empty");
  ASSERT_EQ(SetArchiveSortMode(panel, list, kSortUnsorted), 0);
  EXPECT_EQ(Names(list), (NameList{u"..", u"zeta.txt", u"docs", u"alpha.bin", u"empty"}));
  EXPECT_EQ(CursorName(), u"empty");
  ASSERT_EQ(SetArchiveSortMode(panel, list, kSortName), 0);
  EXPECT_EQ(Names(list), (NameList{u"..", u"docs", u"empty", u"alpha.bin", u"zeta.txt"}));
  EXPECT_EQ(CursorName(), u"empty");
  EXPECT_EQ(KindOf(panel), LocationKind::Archive) << "the folder is not read instead";
}

TEST_F(ArchiveRowTest, NamesForTheClipboardGiveFoldersALeadingBackslashInTheFullForm) {
  Entered();
  for (const TextView name : {u"docs", u"zeta.txt"}) SelectItem(panel, At(list, IndexOfName(list, name)), 1);
  panel.cursor = IndexOfName(list, u"empty");  // not taken: something is selected
  const ClipboardPath path = Row().clipboardPath;
  EXPECT_EQ(ClipboardNamesText(panel, list, true, path), u"\\docs\r\nzeta.txt\r\n");
  EXPECT_EQ(ClipboardNamesText(panel, list, false, path), u"docs\r\nzeta.txt\r\n");
}

TEST_F(ArchiveRowTest, TheArchiveFileGoneKeepsThePanelWorkingAndItsFolderGoneKeepsItInside) {
  Entered();
  std::filesystem::remove(folder.Path() / "data.7z");
  test::MessageCapture capture;
  ASSERT_EQ(Enter(u"docs"), 0);
  EXPECT_EQ(Row().refresh(panel, list), PanelUpdate::Unchanged);
  EXPECT_EQ(Names(list).size(), 3u);
  ASSERT_EQ(Row().goUp(panel, list), 0);
  ASSERT_EQ(Row().goUp(panel, list), 0);
  EXPECT_EQ(Names(list), (NameList{u"..", u"a.txt", u"b.txt", u"z.txt"}));
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_TRUE(capture.Taken().empty());

  // The whole folder gone: Backspace says so once, and the panel stays where it was.
  Entered();
  const Text path = panel.path;
  panel.path += u"-moved";
  EXPECT_EQ(Row().goUp(panel, list), -1);
  EXPECT_EQ(KindOf(panel), LocationKind::Archive);
  EXPECT_EQ(Names(list).size(), 5u);
  const auto shown = capture.Taken();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.substr(0, panel.path.size() + 17), panel.path + u" is not available");
}

// A gzip's inner tar is read in place of the archive; a panel that still pointed at it after
// leaving would read it again for the next archive it enters.
TEST_F(ArchiveRowTest, EveryWayOutOfAnArchiveForgetsWhatThePanelHeldForIt) {
  const auto enterTarGz = [&](TextView inside) {
    Entered();
    panel.archiveFormat = 9;
    panel.archiveWorkPath = u"C:\\temp\\Norvane-7\\1\\data.tar";
    panel.archiveTempFile = u"C:\\temp\\Norvane-7\\2\\zeta.txt";
    if (!inside.empty()) {
      ASSERT_EQ(EnterArchiveFolder(panel, list, inside), 0);
    }
  };
  const auto forgotten = [&](const char* way) {
    EXPECT_EQ(KindOf(panel), LocationKind::Local) << way;
    EXPECT_EQ(panel.archiveFormat, 0) << way;
    EXPECT_TRUE(panel.archiveFolder.empty()) << way;
    EXPECT_TRUE(panel.archiveWorkPath.empty()) << way;
    EXPECT_TRUE(panel.archiveTempFile.empty()) << way;
  };
  enterTarGz(u"");
  ASSERT_EQ(Enter(u".."), 0);
  forgotten("up at the root");
  EXPECT_EQ(Count(archive), 0);

  enterTarGz(u"docs");
  ASSERT_EQ(SetPath(panel, list, panel.path), 0);
  forgotten("a path typed or chosen from a folder inside the archive");
  ForgetLeftArchive(panel);
  EXPECT_EQ(Count(archive), 0);

  enterTarGz(u"docs");
  ASSERT_EQ(ApplyBrowsedFolder(panel, list, panel.path), 0);
  forgotten("a browsed folder");
}

TEST_F(ArchiveRowTest, ItemsAreFreedOnlyOnceThePanelHasLeftTheArchive) {
  Entered();
  ForgetLeftArchive(panel);
  EXPECT_EQ(Count(archive), 5);
  // A drive change clears the archive fields itself.
  panel.archiveOpen = 0;
  ForgetLeftArchive(panel);
  EXPECT_EQ(Count(archive), 0);
  EXPECT_EQ(archive.items.capacity(), 0u) << "the room goes too";
}

}  // namespace
}  // namespace nrv
