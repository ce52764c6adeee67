#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/update_panel.h"
#include "panel/watcher.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

int gStarts = 0;
int gSignals = 0;
void CountStart(Panel&) { ++gStarts; }
void CountSignal(Panel&) { ++gSignals; }
const WatcherBackend kCounting{&CountStart, &CountSignal};

class PanelUpdates : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    for (const char* name : {"a", "b", "c", "d"}) folder.MakeFile(name);
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
  }
  void TearDown() override { SetWatcherBackend(nullptr); }

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
}

TEST_F(PanelUpdates, AVanishedFolderIsReportedAndTheListKept) {
  test::MessageCapture messages;
  const Text gone = panel.path + u"/gone";
  panel.path = gone;
  EXPECT_EQ(UpdatePanel(panel, list), PanelUpdate::Failed);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(gone + u" is not available", 0), 0u);
  EXPECT_EQ(Count(list), 5);
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
  temporary.sortMode = kSortUnsorted;
  std::swap(items.items[0], items.items[1]);
  UpdatePanel(temporary, items);
  EXPECT_EQ(ItemName(At(items, 0)), u"/z/zeta");
}

TEST_F(PanelUpdates, OnlyLocalFoldersAreWatched) {
  Settings settings;
  settings.PanelAutoUpdatePanels = 1;
  settings.PanelAutoUpdateNetwork = 0;
  Panel local;
  EXPECT_TRUE(WatchesPanel(local, settings));
  Panel network;
  network.drive.type = 4;
  EXPECT_FALSE(WatchesPanel(network, settings));
  settings.PanelAutoUpdateNetwork = 1;
  EXPECT_TRUE(WatchesPanel(network, settings));
  for (int kind = 0; kind < 3; ++kind) {
    Panel other;
    if (kind == 0) other.archiveOpen = 1;
    if (kind == 1) other.temporary = 1;
    if (kind == 2) other.ftp = 1;
    EXPECT_FALSE(WatchesPanel(other, settings)) << kind;
  }
  settings.PanelAutoUpdatePanels = 0;
  EXPECT_FALSE(WatchesPanel(local, settings));
}

TEST_F(PanelUpdates, EveryListingStopsTheOldWatcherAndStartsANewOne) {
  SetWatcherBackend(&kCounting);
  gStarts = gSignals = 0;
  TheSettings().PanelAutoUpdatePanels = 1;
  ASSERT_EQ(UpdatePanel(panel, list), PanelUpdate::Updated);
  EXPECT_EQ(gStarts, 1);
  EXPECT_GE(gSignals, 1);
  panel.archiveOpen = 1;
  StartWatcher(panel);
  EXPECT_EQ(gStarts, 1);
}

}  // namespace
}  // namespace nrv
