// Navigation rules the other tiers reach only at great cost: links on network drives, broken
// links, failed drive changes and path prompts. Going up and down is checked under Wine and
// end to end.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <filesystem>

#include "core/settings.h"
#include "core/listing.h"
#include "core/paths.h"
#include "panel/navigation.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

// Panels join names with backslashes; the POSIX layer reads them as slashes.
Text Slashed(Text path) {
  for (auto& c : path)
    if (c == u'\\') c = u'/';
  return path;
}

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestSettings() = Settings{};
    test::TestSettings().PanelAutoUpdatePanels = 0;
    platform::portable::ResetRegistry();
    ClearItems(test::Context().temporaryStore);
    panel.sortMode = kSortName;
    folder.MakeFile("run.bat", 5);
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
  }
  void TearDown() override { ClearItems(test::Context().temporaryStore); }

  void PutCursorOn(TextView name) {
    ASSERT_EQ(ReadFolder(panel, list), 0);
    for (panel.cursor = 0; panel.cursor < Count(list); ++panel.cursor)
      if (ItemName(At(list, panel.cursor)) == name) return;
    FAIL() << "no " << ToUtf8(name);
  }

  test::TempFolder folder;
  Panel panel = AttachedPanel(), other = AttachedPanel();
  ItemList list;
  test::MessageCapture messages;
};

TEST_F(Navigation, ParentPathKeepsTheDriveRootBackslash) {
  EXPECT_EQ(SplitParent(u"C:\\Data\\Sub").parent, u"C:\\Data");
  EXPECT_EQ(SplitParent(u"C:\\Data").parent, u"C:\\");
  EXPECT_EQ(JoinPath(u"C:\\", u"x"), u"C:\\x");
}

TEST_F(Navigation, LinksLeadToTheirTargetExceptOnNetworkDrives) {
  const auto target = folder.MakeFolder("elsewhere/deep");
  std::filesystem::create_directory_symlink(target, folder.Path() / "junction");
  PutCursorOn(u"junction");
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(panel.path, target.u16string());
  // Up leads to the target's parent, not back to the link's folder.
  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, (folder.Path() / "elsewhere").u16string());

  panel.path = folder.Path().u16string();
  panel.drive.type = platform::kDriveRemote;  // no reparse data is read there
  PutCursorOn(u"junction");
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(Slashed(panel.path), (folder.Path() / "junction").u16string());

  // A link whose data can no longer be read is reported and the panel stays where it was.
  panel.drive.type = platform::kDriveFixed;
  panel.path = folder.Path().u16string();
  PutCursorOn(u"junction");
  std::filesystem::remove(folder.Path() / "junction");
  std::filesystem::create_directory(folder.Path() / "junction");
  EXPECT_EQ(EnterItem(panel, list), -1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(u"Cannot open reparse point junction", 0), 0u);
  EXPECT_EQ(panel.path, folder.Path().u16string());
}

TEST_F(Navigation, AFailedDriveChangeOrPathPromptIsReportedAndThePanelStays) {
  platform::portable::SetDrives({{u'C', platform::kDriveFixed, 100, 50, {}}});
  other.path = u"c:\\elsewhere";  // the other panel's folder, which does not exist here
  EXPECT_EQ(ChangeDrive(panel, list, other, true, {platform::kDriveFixed, 100, 50, u"C:\\", u" "}), -1);
  platform::portable::SetDrives({{u'C', 3, 0, 0, {}}});
  EXPECT_EQ(SetPath(panel, list, (folder.Path() / "missing").u16string()), -1);
  EXPECT_EQ(panel.path, folder.Path().u16string());
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].text.substr(0, 14), u"Change Drive\n\n");
  EXPECT_EQ(taken[1].text.substr(0, 10), u"Set Path\n\n");
}

TEST_F(Navigation, TemporaryItemsAreRemovedWithoutTouchingTheFile) {
  ASSERT_EQ(OpenTemporaryPanel(panel, list, other), 0);
  Append(list, NewItem((folder.Path() / "run.bat").u16string()));
  Append(list, NewItem(u"/x/second.txt"));
  panel.cursor = 1;
  RemoveFromTemporary(panel, list);  // the cursor item only: nothing selected
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"/x/second.txt"}));
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "run.bat"));
}

}  // namespace
}  // namespace nrv
