// Copies through the shell on worker threads, reporting back to the main window. Moving and
// deleting, with the shell's own questions, are played end to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <vector>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "fileops/file_operation_win32.h"
#include "shell/running_operations.h"
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
  Panel panel, other;
  ItemList list, otherList;
  panel.path = source.Path().u16string();
  other.side = kRightPanel;
  other.path = target.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", tree, one.txt, three.txt, two.txt
  ASSERT_EQ(ReadFolder(other, otherList), 0);
  ASSERT_EQ(ItemName(At(list, 4)), u"two.txt");
  test::UpdateSink sink;
  const FileOperationHooks hooks = ShellFileOperationHooks(&Answer);

  At(list, 1).selected = At(list, 2).selected = 1;
  RecountSelection(list, panel);
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  At(list, 1).selected = At(list, 2).selected = 0;
  RecountSelection(list, panel);
  panel.cursor = 4;
  given = other.path + u"\\renamed.txt";
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  // The workers are inside the shell call (or waiting to report) until this thread pumps.
  EXPECT_EQ(RunningFileOperations().load(), 2);
  ASSERT_TRUE(sink.WaitFor(2, 20000));
  EXPECT_EQ(test::UpdateSink::Sides(), (std::vector<LPARAM>{0, 0})) << "both panels are read again";
  test::WaitUntil([] { return RunningFileOperations().load() == 0; }, 20000);
  EXPECT_EQ(RunningFileOperations().load(), 0);
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(fs::file_size(target.Path() / "tree" / "leaf" / "deep.txt"), 7u);
  EXPECT_TRUE(fs::exists(target.Path() / "one.txt") && fs::exists(target.Path() / "renamed.txt"));
  EXPECT_FALSE(fs::exists(target.Path() / "two.txt") || fs::exists(target.Path() / "three.txt"));
  EXPECT_TRUE(fs::exists(source.Path() / "one.txt"));
  EXPECT_EQ(ReadHistory(kHistoryCopy).back(), given);
}

}  // namespace
}  // namespace nrv
