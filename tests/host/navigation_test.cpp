#include <gtest/gtest.h>

#include <filesystem>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "panel/navigation.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

// Panels join names with backslashes; the POSIX layer reads them as slashes.
Text Slashed(Text path) {
  for (auto& c : path)
    if (c == u'\\') c = u'/';
  return path;
}

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    platform::portable::ResetRegistry();
    ClearItems(TheTemporaryStore());
    platform::portable::TakeShellCalls();
    panel.sortMode = kSortName;
    other.side = kRightPanel;
    for (int i = 0; i < 30; ++i) folder.MakeFolder("dir" + std::to_string(100 + i));
    folder.MakeFolder("dir115/inner");
    folder.MakeFile("run.bat", 5);
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
  }
  void TearDown() override { ClearItems(TheTemporaryStore()); }

  int IndexOf(TextView name) {
    for (int i = 0; i < Count(list); ++i)
      if (ItemName(At(list, i)) == name) return i;
    return -1;
  }

  test::TempFolder folder;
  Panel panel, other;
  ItemList list;
};

TEST_F(Navigation, ParentPathKeepsTheDriveRootBackslash) {
  EXPECT_EQ(SplitParent(u"C:\\Data\\Sub").parent, u"C:\\Data");
  EXPECT_EQ(SplitParent(u"C:\\Data\\Sub").leftName, u"Sub");
  EXPECT_EQ(SplitParent(u"C:\\Data").parent, u"C:\\");
  EXPECT_EQ(SplitParent(u"C:\\Data").leftName, u"Data");
  EXPECT_EQ(JoinPath(u"C:\\", u"x"), u"C:\\x");
  EXPECT_EQ(JoinPath(u"C:\\a", u"x"), u"C:\\a\\x");
}

TEST_F(Navigation, GoingUpPutsTheCursorOnTheFolderLeftAndRestoresThePage) {
  panel.cursor = IndexOf(u"dir115");
  panel.top = 9;
  ASSERT_EQ(EnterKey(panel, list), 0);
  EXPECT_EQ(Slashed(panel.path), (folder.Path() / "dir115").u16string());
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"inner"}));
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(panel.returnTop, 9);

  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"dir115");
  EXPECT_EQ(panel.top, 9);
  EXPECT_EQ(panel.returnTop, 0);
  EXPECT_EQ(panel.folderCount, 30);
}

TEST_F(Navigation, AVanishedFolderIsReportedAndNothingMoves) {
  panel.path = (folder.Path() / "gone").u16string();
  test::MessageCapture messages;
  panel.cursor = 1;
  EXPECT_EQ(EnterKey(panel, list), -1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.substr(0, panel.path.size() + 17), panel.path + u" is not available");
  EXPECT_EQ(panel.path, (folder.Path() / "gone").u16string());
}

TEST_F(Navigation, AFolderThatCannotBeEnteredRestoresTheOldListing) {
  const int index = IndexOf(u"dir120");
  std::filesystem::remove(folder.Path() / "dir120");
  panel.cursor = index;
  test::MessageCapture messages;
  EXPECT_EQ(EnterItem(panel, list), -1);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  EXPECT_EQ(IndexOf(u"dir120"), -1);  // listed again
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_NE(messages.Taken()[0].text.find(u"Cannot set current directory: \""), Text::npos);
}

TEST_F(Navigation, LinksAreFollowedByTheirStoredTarget) {
  const auto target = folder.MakeFolder("elsewhere/deep");
  folder.MakeFile("elsewhere/deep/found.txt");
  std::filesystem::create_directory_symlink(target, folder.Path() / "junction");
  ASSERT_EQ(ReadFolder(panel, list), 0);
  panel.cursor = IndexOf(u"junction");
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(panel.path, target.u16string());
  EXPECT_EQ(panel.returnTop, 0);
  // Up leads to the target's parent, not back to the link's folder.
  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, (folder.Path() / "elsewhere").u16string());

  // On a network drive no reparse data is read: the link is a plain folder.
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  panel.drive.type = platform::kDriveRemote;
  panel.cursor = IndexOf(u"junction");
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(Slashed(panel.path), (folder.Path() / "junction").u16string());
}

TEST_F(Navigation, ABrokenLinkIsReportedByName) {
  std::filesystem::create_directory_symlink(folder.Path() / "nowhere", folder.Path() / "dangling");
  ASSERT_EQ(ReadFolder(panel, list), 0);
  panel.cursor = IndexOf(u"dangling");
  At(list, panel.cursor).attributes |= platform::kAttributeDirectory;  // as a junction shows
  test::MessageCapture messages;
  EXPECT_EQ(EnterItem(panel, list), -1);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  ASSERT_FALSE(messages.Taken().empty());
  EXPECT_NE(messages.Taken()[0].text.find(u"Cannot set current directory"), Text::npos);
}

TEST_F(Navigation, ChangingToTheOtherPanelsDriveOpensItsFolder) {
  platform::portable::SetDrives({{u'C', platform::kDriveFixed, 100, 50, {}}});
  DriveInfo row{platform::kDriveFixed, 100, 50, u"C:\\", u" "};
  other.path = u"c:\\elsewhere";
  test::MessageCapture messages;
  // The other panel's folder does not exist here: the move fails and is reported.
  EXPECT_EQ(ChangeDrive(panel, list, other, true, row), -1);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.substr(0, 14), u"Change Drive\n\n");
  platform::portable::SetDrives({{u'C', 3, 0, 0, {}}});
}

TEST_F(Navigation, SetPathRemembersTheLocationOrStaysWhereItWas) {
  const Text target = (folder.Path() / "dir101").u16string();
  panel.cursor = 7;
  ASSERT_EQ(SetPath(panel, list, target), 0);
  EXPECT_EQ(panel.path, target);
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), std::vector<Text>{target});

  test::MessageCapture messages;
  EXPECT_EQ(SetPath(panel, list, (folder.Path() / "missing").u16string()), -1);
  EXPECT_EQ(panel.path, target);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.substr(0, 10), u"Set Path\n\n");
}

TEST_F(Navigation, TemporaryPanelKeepsItsItemsAndOnlyOneMayExist) {
  test::MessageCapture messages;
  ASSERT_EQ(OpenTemporaryPanel(panel, list, other), 0);
  EXPECT_EQ(Names(list), std::vector<Text>{u".."});

  PanelItem* found = NewItem((folder.Path() / "run.bat").u16string());
  Append(list, found);
  Append(list, NewItem(u"/x/second.txt"));
  panel.cursor = 2;
  RemoveFromTemporary(panel, list);  // the cursor item only: nothing selected
  EXPECT_EQ(Count(list), 2);
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "run.bat"));

  panel.cursor = 0;
  ASSERT_EQ(EnterItem(panel, list), 0);  // ".." leaves it
  EXPECT_EQ(panel.temporary, 0);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  ASSERT_EQ(OpenTemporaryPanel(panel, list, other), 0);
  EXPECT_EQ(Count(list), 2);  // the same items again

  EXPECT_EQ(OpenTemporaryPanel(other, list, panel), -1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"Cannot create 2 temporary panels");
}

TEST_F(Navigation, FilesAreRunThroughTheShell) {
  panel.cursor = IndexOf(u"run.bat");
  ASSERT_EQ(EnterItem(panel, list), 0);
  const auto calls = platform::portable::TakeShellCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(Slashed(calls[0].file), Slashed(panel.path) + u"/run.bat");
  EXPECT_EQ(panel.active, 1);
}

}  // namespace
}  // namespace nrv
