// Re-reading a panel in place. Which panels are watched, and the watcher itself, are checked
// under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/update_panel.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

class PanelUpdates : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    for (const char* name : {"a", "b", "c", "d"}) folder.MakeFile(name);
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
  }
  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(PanelUpdates, ReReadKeepsTheCursorIndexNotItsItem) {
  panel.cursor = 3;  // "c"
  folder.MakeFile("bb");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Updated);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"a", u"b", u"bb", u"c", u"d"}));
  EXPECT_EQ(panel.cursor, 3);
  EXPECT_EQ(panel.fileCount, 5);

  panel.cursor = 5;
  std::filesystem::remove(folder.Path() / "d");
  std::filesystem::remove(folder.Path() / "c");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Updated);
  EXPECT_EQ(panel.cursor, 3);  // clamped to the last row

  test::MessageCapture messages;
  panel.path += u"/gone";
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Failed);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(panel.path + u" is not available", 0), 0u);
  EXPECT_EQ(Count(list), 4);
}

TEST_F(PanelUpdates, ArchivesStayTemporaryPanelsAreReSortedBothGoLeftThenRight) {
  panel.archiveOpen = 1;
  folder.MakeFile("e");
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Unchanged);
  EXPECT_EQ(Count(list), 5);

  Panel temporary;
  ItemList items;
  temporary.temporary = 1;
  temporary.sortMode = kSortName;
  Append(items, NewItem(u"/z/zeta"));
  Append(items, NewItem(u"/a/alpha"));
  Panel right;
  right.side = kRightPanel;
  right.path = panel.path;
  const BothPanelsUpdate both = UpdateBothPanels(temporary, items, right, list);
  EXPECT_EQ(both.left, PanelUpdate::Updated);
  EXPECT_EQ(both.right, PanelUpdate::Updated);
  EXPECT_EQ(Count(list), 6);
  EXPECT_EQ(Names(items), (std::vector<Text>{u"/a/alpha", u"/z/zeta"}));
  EXPECT_EQ(temporary.fileCount, 2);
}

}  // namespace
}  // namespace nrv
