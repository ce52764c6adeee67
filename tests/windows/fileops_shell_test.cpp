#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "fileops/file_operation_win32.h"
#include "shell/running_operations.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/update_sink.h"

namespace nrv {
namespace {

constexpr DWORD kPatience = 20000;

// Answers the shell's confirmations with Yes and keeps what they said.
class DialogAnswerer {
 public:
  DialogAnswerer() : thread_([this] { Run(); }) {}
  ~DialogAnswerer() {
    stop_ = true;
    thread_.join();
  }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  std::vector<std::wstring> Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  static BOOL CALLBACK CollectText(HWND child, LPARAM into) {
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    if (*text) *reinterpret_cast<std::wstring*>(into) += std::wstring(L" | ") + text;
    return TRUE;
  }
  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window) ||
        std::wstring(className) != L"#32770")
      return TRUE;
    auto* answerer = reinterpret_cast<DialogAnswerer*>(self);
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    std::wstring said = title;
    ::EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&said));
    {
      std::lock_guard lock(answerer->mutex_);
      answerer->seen_.push_back(said);
    }
    ::PostMessageW(window, WM_COMMAND, IDYES, 0);
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(this));
      ::Sleep(100);
    }
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> seen_;
  std::thread thread_;
};

struct PromptLog {
  std::vector<DestinationQuestion> questions;
  Text answer;  // empty: the proposal
};
PromptLog& Prompts() {
  static PromptLog log;
  return log;
}
bool AcceptingPrompt(const DestinationQuestion& question, Text& answer) {
  Prompts().questions.push_back(question);
  answer = Prompts().answer.empty() ? question.proposal : Prompts().answer;
  return true;
}

class WineFileOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    Prompts() = PromptLog{};
    hooks = ShellFileOperationHooks(&AcceptingPrompt);
    source.MakeFile("one.txt", 100);
    source.MakeFile("two.txt", 200);
    source.MakeFile("three.txt", 300);
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
  // Waits for the worker's UpdateFileLists and for the count to drop back.
  void FinishOperation(size_t updates) {
    ASSERT_TRUE(sink.WaitFor(updates, kPatience));
    EXPECT_EQ(test::UpdateSink::Sides().back(), 0);
    const ULONGLONG end = ::GetTickCount64() + kPatience;
    while (RunningFileOperations().load() != 0 && ::GetTickCount64() < end) ::Sleep(10);
    EXPECT_EQ(RunningFileOperations().load(), 0);
  }

  test::TempFolder source, target;
  test::UpdateSink sink;
  Panel panel, other;
  ItemList list, otherList;
  FileOperationHooks hooks;
};

TEST_F(WineFileOperations, CopyRunsOnTheWorkerAndReportsBack) {
  At(list, IndexOf(u"one.txt")).selected = 1;
  At(list, IndexOf(u"tree")).selected = 1;
  RecountSelection(list, panel);
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  // The worker is inside the shell call (or waiting to report) until this thread pumps.
  EXPECT_EQ(RunningFileOperations().load(), 1);
  FinishOperation(1);
  EXPECT_EQ(std::filesystem::file_size(target.Path() / "one.txt"), 100u);
  EXPECT_EQ(std::filesystem::file_size(target.Path() / "tree" / "leaf" / "deep.txt"), 7u);
  EXPECT_FALSE(std::filesystem::exists(target.Path() / "two.txt"));
  EXPECT_TRUE(std::filesystem::exists(source.Path() / "one.txt"));
  EXPECT_EQ(Prompts().questions.at(0).text, u"Copy 2 items to:");
}

TEST_F(WineFileOperations, ASingleFileCanBeCopiedUnderANewName) {
  panel.cursor = IndexOf(u"two.txt");
  Prompts().answer = other.path + u"\\renamed.txt";
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  FinishOperation(1);
  EXPECT_EQ(Prompts().questions.at(0).proposal, other.path + u"\\two.txt");
  EXPECT_EQ(std::filesystem::file_size(target.Path() / "renamed.txt"), 200u);
  EXPECT_EQ(ReadHistory(kHistoryCopy).back(), Prompts().answer);
}

TEST_F(WineFileOperations, MoveTakesTheItemsAwayAndRenames) {
  // Wine's shell cancels a move of several plain files into one folder; with a folder among
  // them it moves them all, as Windows does either way.
  At(list, IndexOf(u"two.txt")).selected = 1;
  At(list, IndexOf(u"tree")).selected = 1;
  RecountSelection(list, panel);
  ASSERT_EQ(MoveCommand(panel, list, other, otherList, hooks).status, 0);
  FinishOperation(1);
  EXPECT_TRUE(std::filesystem::exists(target.Path() / "two.txt"));
  EXPECT_TRUE(std::filesystem::exists(target.Path() / "tree" / "leaf" / "deep.txt"));
  EXPECT_FALSE(std::filesystem::exists(source.Path() / "two.txt"));
  EXPECT_FALSE(std::filesystem::exists(source.Path() / "tree"));
  EXPECT_TRUE(std::filesystem::exists(source.Path() / "one.txt"));

  for (PanelItem* item : list.items) item->selected = 0;
  RecountSelection(list, panel);
  panel.cursor = IndexOf(u"three.txt");
  Prompts().answer = other.path + u"\\moved.txt";
  ASSERT_EQ(MoveCommand(panel, list, other, otherList, hooks).status, 0);
  FinishOperation(2);
  EXPECT_EQ(Prompts().questions.at(1).text, u"Rename/Move three.txt to:");
  EXPECT_EQ(std::filesystem::file_size(target.Path() / "moved.txt"), 300u);
  EXPECT_FALSE(std::filesystem::exists(source.Path() / "three.txt"));
  EXPECT_EQ(ReadHistory(kHistoryMove).back(), Prompts().answer);
}

TEST_F(WineFileOperations, DeleteBothWaysAfterTheShellsOwnQuestion) {
  DialogAnswerer answerer;
  panel.cursor = IndexOf(u"one.txt");
  ASSERT_EQ(DeleteCommand(panel, list, other, otherList, false, hooks).status, 0);
  FinishOperation(1);
  EXPECT_FALSE(std::filesystem::exists(source.Path() / "one.txt"));

  // The recycle form with the setting off deletes for good: Wine's recycle bin is the Unix
  // user's own trash, which a test should not fill.
  TheSettings().PanelDeleteRecycle = 0;
  panel.cursor = IndexOf(u"tree");
  ASSERT_EQ(DeleteCommand(panel, list, other, otherList, true, hooks).status, 0);
  FinishOperation(2);
  EXPECT_FALSE(std::filesystem::exists(source.Path() / "tree"));
  EXPECT_TRUE(Prompts().questions.empty());
  for (const std::wstring& said : answerer.Seen())
    std::printf("shell dialog: %ls\n", said.c_str());
}

TEST_F(WineFileOperations, SeveralOperationsRunSideBySide) {
  panel.cursor = IndexOf(u"one.txt");
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  panel.cursor = IndexOf(u"two.txt");
  Prompts().answer = other.path + u"\\second.txt";
  ASSERT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, 0);
  EXPECT_EQ(RunningFileOperations().load(), 2);
  FinishOperation(2);
  EXPECT_TRUE(std::filesystem::exists(target.Path() / "one.txt"));
  EXPECT_TRUE(std::filesystem::exists(target.Path() / "second.txt"));
}

}  // namespace
}  // namespace nrv
