// Copy and delete through the shell on worker threads, reporting back to the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
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

// Answers the shell's own confirmations with Yes, from a thread of its own while it lives.
class ShellDialogAnswerer {
 public:
  ShellDialogAnswerer() : thread_([this] {
    for (; !stop_; ::Sleep(100))
      if (HWND dialog = ::FindWindowW(L"#32770", nullptr)) ::PostMessageW(dialog, WM_COMMAND, IDYES, 0);
  }) {}
  ~ShellDialogAnswerer() { stop_ = true, thread_.join(); }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The destination prompt: keeps the questions and answers with the proposal unless told otherwise.
std::vector<DestinationQuestion> questions;
Text given;
bool Answer(const DestinationQuestion& question, Text& answer) {
  questions.push_back(question);
  answer = given.empty() ? question.proposal : given;
  return true;
}

class WineFileOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    questions.clear(), given.clear();
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) source.MakeFile(name, 100);
    source.MakeFolder("tree/leaf");
    source.MakeFile("tree/leaf/deep.txt", 7);
    panel.path = source.Path().u16string();
    other.side = kRightPanel;
    other.path = target.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);
    ASSERT_EQ(ReadFolder(other, otherList), 0);
  }
  int IndexOf(TextView name) {
    for (int i = 0; i < Count(list); ++i)
      if (ItemName(At(list, i)) == name) return i;
    return -1;
  }
  // Waits for the workers' UpdateFileLists (both sides) and for the count to drop back.
  void FinishOperations(size_t updates) {
    ASSERT_TRUE(sink.WaitFor(updates, 20000));
    EXPECT_EQ(test::UpdateSink::Sides().back(), 0);
    for (int i = 0; i < 2000 && RunningFileOperations().load() != 0; ++i) ::Sleep(10);
    EXPECT_EQ(RunningFileOperations().load(), 0);
  }

  test::TempFolder source, target;
  test::UpdateSink sink;
  Panel panel, other;
  ItemList list, otherList;
  FileOperationHooks hooks = ShellFileOperationHooks(&Answer);
};

TEST_F(WineFileOperations, CopiesRunSideBySideOnWorkersAndASingleFileCanTakeANewName) {
  At(list, IndexOf(u"one.txt")).selected = At(list, IndexOf(u"tree")).selected = 1;
  RecountSelection(list, panel);
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  At(list, IndexOf(u"one.txt")).selected = At(list, IndexOf(u"tree")).selected = 0;
  RecountSelection(list, panel);
  panel.cursor = IndexOf(u"two.txt");
  given = other.path + u"\\renamed.txt";
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  // The workers are inside the shell call (or waiting to report) until this thread pumps.
  EXPECT_EQ(RunningFileOperations().load(), 2);
  FinishOperations(2);
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_EQ(fs::file_size(target.Path() / "tree" / "leaf" / "deep.txt"), 7u);
  EXPECT_TRUE(fs::exists(target.Path() / "one.txt") && fs::exists(target.Path() / "renamed.txt"));
  EXPECT_FALSE(fs::exists(target.Path() / "two.txt") || fs::exists(target.Path() / "three.txt"));
  EXPECT_TRUE(fs::exists(source.Path() / "one.txt"));
  EXPECT_EQ(ReadHistory(kHistoryCopy).back(), given);
}

TEST_F(WineFileOperations, DeleteBothWaysAfterTheShellsOwnQuestion) {
  ShellDialogAnswerer answerer;
  panel.cursor = IndexOf(u"one.txt");
  ASSERT_EQ(DeleteCommand(panel, list, other, otherList, false, hooks).status, 0);
  FinishOperations(1);
  EXPECT_FALSE(fs::exists(source.Path() / "one.txt"));
  // The recycle form with the setting off deletes for good: Wine's recycle bin is the Unix
  // user's own trash, which a test should not fill.
  TheSettings().PanelDeleteRecycle = 0;
  panel.cursor = IndexOf(u"tree");
  ASSERT_EQ(DeleteCommand(panel, list, other, otherList, true, hooks).status, 0);
  FinishOperations(2);
  EXPECT_FALSE(fs::exists(source.Path() / "tree"));
  EXPECT_TRUE(questions.empty());
}

}  // namespace
}  // namespace nrv
