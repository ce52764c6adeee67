// Copies through the shell on worker threads, reporting back to the main window. Moving and
// deleting, with the shell's own questions, are played end to end.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <filesystem>
#include <vector>

#include "config/history.h"
#include "core/settings.h"
#include "core/listing.h"
#include "fileops/file_operation_win32.h"
#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;

// The destination prompt: counts the questions and answers with the proposal unless told otherwise.
int questions = 0;
Text given;
bool Answer(const DestinationQuestion& question, Text& answer) {
  ++questions;
  answer = given.empty() ? question.proposal : given;
  return true;
}

TEST(WineFileOperations, CopiesRunSideBySideOnWorkersReportBackAndASingleFileCanTakeANewName) {
  TheSettings() = Settings{};
  TheSettings().PanelAutoUpdatePanels = 0;
  test::TempFolder source, target;
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) source.MakeFile(name, 100);
  source.MakeFolder("tree/leaf");
  source.MakeFile("tree/leaf/deep.txt", 7);
  Panel panel = test::ApplicationPanel(), other = test::ApplicationPanel();
  ItemList list, otherList;
  panel.path = source.Path().u16string();
  other.side = kRightPanel;
  other.path = target.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", tree, one.txt, three.txt, two.txt
  ASSERT_EQ(ReadFolder(other, otherList), 0);
  ASSERT_EQ(ItemName(At(list, 4)), u"two.txt");
  test::UpdateSink sink;
  std::atomic<int32_t>& running = TheApplication().context.runningFileOperations;
  WorkerSet workers;
  const FileOperationHooks hooks = ShellFileOperationHooks(&Answer, workers, TheApplication().context);

  At(list, 1).selected = At(list, 2).selected = 1;
  RecountSelection(list, panel);
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  At(list, 1).selected = At(list, 2).selected = 0;
  RecountSelection(list, panel);
  panel.cursor = 4;
  given = other.path + u"\\renamed.txt";
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  // Both are counted from the hand-off on; their re-read requests are posted and may arrive as one.
  EXPECT_GE(running.load(), 0);
  StopAndJoinAll(workers);
  EXPECT_EQ(running.load(), 0);
  ASSERT_TRUE(sink.WaitFor(1, 20000));
  for (LPARAM side : test::UpdateSink::Sides()) EXPECT_EQ(side, 0) << "both panels are read again";
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(fs::file_size(target.Path() / "tree" / "leaf" / "deep.txt"), 7u);
  EXPECT_TRUE(fs::exists(target.Path() / "one.txt") && fs::exists(target.Path() / "renamed.txt"));
  EXPECT_FALSE(fs::exists(target.Path() / "two.txt") || fs::exists(target.Path() / "three.txt"));
  EXPECT_TRUE(fs::exists(source.Path() / "one.txt"));
  EXPECT_EQ(ReadHistory(kHistoryCopy).back(), given);
}

// The user-interface thread moves the current folder whenever it re-reads a panel; a worker's job
// must not care. The job is made for the left folder, the current folder then moves to a folder
// holding a file of the same name, and only the left one goes.
TEST(WineFileOperations, AJobTouchesOnlyItsOwnFilesWhateverFolderIsCurrentWhenItRuns) {
  test::TempFolder left, right;
  left.MakeFile("same.txt", 3);
  right.MakeFile("same.txt", 5);
  Panel panel = test::ApplicationPanel(), other = test::ApplicationPanel();
  ItemList list, otherList;
  panel.path = left.Path().u16string();
  other.side = kRightPanel;
  other.path = right.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", same.txt
  panel.cursor = 1;

  std::vector<FileOperationJob> handedOver;
  FileOperationHooks hooks;
  hooks.startWorker = [&handedOver](FileOperationJob job) { return handedOver.push_back(std::move(job)), 0; };
  ASSERT_EQ(DeleteCommand(panel, list, other, otherList, false, hooks).status, 0);
  ASSERT_EQ(handedOver.size(), 1u);

  ASSERT_TRUE(platform::SetCurrentFolder(other.path));  // another panel's re-read
  handedOver[0].flags |= FOF_NOCONFIRMATION | FOF_SILENT;
  EXPECT_EQ(RunFileOperationJob(handedOver[0]), 0);
  EXPECT_FALSE(fs::exists(left.Path() / "same.txt"));
  EXPECT_TRUE(fs::exists(right.Path() / "same.txt")) << "the other panel's file was touched";
}

}  // namespace
}  // namespace nrv
