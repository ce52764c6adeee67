// The change watchers of listed folders against Wine's change notifications.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "core/listing.h"
#include "panel/update_panel.h"
#include "panel/watcher.h"
#include "panel/watcher_win32.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

// Long enough for Wine's notification of a change that did happen to arrive.
constexpr DWORD kQuiet = 1500;
constexpr DWORD kPatience = 10000;

class WineWatcher : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 1;
    TheApplication().context.watch = ChangeWatchHooks();
    folder.MakeFile("kept.txt", 10);
    folder.MakeFolder("sub");
    panel.side = kRightPanel;
    panel.path = folder.Path().u16string();
  }
  void TearDown() override {
    test::Record().onUpdate = {};  // an update still on its way must not start a watcher again
    StopWatcher(panel);
    TheApplication().context.watch = {};
  }

  test::TempFolder folder;
  test::UpdateSink sink;
  Panel panel = test::ApplicationPanel();
  ItemList list;
};

TEST_F(WineWatcher, NamesAndAttributesChangingReReadThePanelAndTheChainGoesOnButContentIsNotWatched) {
  test::Record().onUpdate = [this](LPARAM side) {
    if (side == panel.side) UpdatePanel(panel, list);
  };
  ASSERT_EQ(ListLocalFolder(panel, list), 0);
  std::ofstream(folder.Path() / "kept.txt", std::ios::app) << "more content";
  sink.PumpFor(kQuiet);
  EXPECT_TRUE(test::UpdateSink::Sides().empty());

  const int before = Count(list);
  folder.MakeFile("new.txt");
  ASSERT_TRUE(sink.WaitFor(1, kPatience));
  EXPECT_EQ(test::UpdateSink::Sides()[0], kRightPanel);
  EXPECT_EQ(Count(list), before + 1);
  // The re-read inside the handler started the next watcher; an attribute change reaches it.
  const size_t seen = test::UpdateSink::Sides().size();
  ASSERT_TRUE(::SetFileAttributesW((folder.Path() / "kept.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(sink.WaitFor(seen + 1, kPatience));
  ::SetFileAttributesW((folder.Path() / "kept.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WineWatcher, StoppedWatchersOldFoldersAndPanelsThatNeedNoneStaySilentAndFailuresAreReported) {
  ASSERT_EQ(ListLocalFolder(panel, list), 0);
  StopWatcher(panel);  // joined: it can report nothing more
  EXPECT_FALSE(IsStarted(panel.watcher));
  folder.MakeFile("after-stop.txt");
  ASSERT_EQ(ListLocalFolder(panel, list), 0);
  panel.path = (folder.Path() / "sub").u16string();
  ASSERT_EQ(ListLocalFolder(panel, list), 0);
  folder.MakeFile("in-parent.txt");
  sink.PumpFor(kQuiet);
  EXPECT_TRUE(test::UpdateSink::Sides().empty());
  folder.MakeFile("sub/in-sub.txt");
  EXPECT_TRUE(sink.WaitFor(1, kPatience));

  // No watcher for archives, the temporary panel or network drives unless asked.
  StopWatcher(panel);
  const auto watched = [this] {
    ListLocalFolder(panel, list);
    return IsStarted(panel.watcher);
  };
  panel.archiveOpen = 1;
  EXPECT_FALSE(watched());
  panel.archiveOpen = 0, panel.temporary = 1;
  EXPECT_FALSE(watched());
  panel.temporary = 0, panel.drive.type = 4;
  EXPECT_FALSE(watched());
  TheSettings().PanelAutoUpdateNetwork = 1;
  EXPECT_TRUE(watched());
  StopWatcher(panel);

  test::MessageCapture messages;
  panel.path = (folder.Path() / "missing").u16string();
  StartChangeWatcher(panel);  // reported at once, on this thread
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(u"Error create notification event\n\nError ", 0), 0u);
  EXPECT_EQ(messages.Taken()[0].caption, u"Norvane 1.0.0");
}

}  // namespace
}  // namespace nrv
