// Copy, Move and Delete up to the hand-over: what is asked, what the shell would be given, and
// what is remembered; running files and making folders. The shell's own work is checked under
// Wine and end to end.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <filesystem>
#include <vector>

#include "config/history.h"
#include "core/settings.h"
#include "core/listing.h"
#include "fileops/file_operation.h"
#include "fileops/make_folder.h"
#include "fileops/run_file.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

// What the fake prompt and the fake worker saw.
struct Seen {
  std::vector<DestinationQuestion> questions;
  std::vector<FileOperationJob> requests;
  Text answer;  // empty: accept the proposal as it is
  int ftpCalls = 0, extractions = 0;
} gSeen;

// A literal with its embedded NULs.
template <size_t N>
Text Z(const char16_t (&text)[N]) {
  return Text(text, N - 1);
}

class FileOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestSettings() = Settings{};
    test::TestSettings().PanelAutoUpdatePanels = 0;
    platform::portable::ResetRegistry();
    ClearItems(test::Context().temporaryStore);
    gSeen = Seen{};
    hooks.prompt = [](const DestinationQuestion& question, Text& answer) {
      gSeen.questions.push_back(question);
      answer = gSeen.answer.empty() ? question.proposal : gSeen.answer;
      return true;
    };
    hooks.startWorker = [](FileOperationJob job) { return gSeen.requests.push_back(std::move(job)), 0; };
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) source.MakeFile(name, 5);
    source.MakeFolder("docs");
    panel.path = source.Path().u16string();
    other.side = kRightPanel;
    other.path = target.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", docs, a.txt, b.txt, c.txt
  }
  void TearDown() override { ClearItems(test::Context().temporaryStore); }

  void Select(std::initializer_list<int> indices) {
    for (int index : indices) At(list, index).selected = 1;
    RecountSelection(list, panel);
  }
  FileOperationResult Copy() { return CopyCommand(panel, list, other, otherList, hooks); }
  FileOperationResult Move() { return MoveCommand(panel, list, other, otherList, hooks); }
  FileOperationResult Delete(bool recycle) { return DeleteCommand(panel, list, other, otherList, recycle, hooks); }

  test::TempFolder source, target;
  Panel panel = AttachedPanel(), other = AttachedPanel();
  ItemList list, otherList;
  FileOperationHooks hooks;
};

TEST_F(FileOperations, CursorItemOrSelectionIsHandedOverWithDoubleNulsAndRemembered) {
  panel.cursor = 3;
  EXPECT_EQ(Copy().status, 0);
  const Text proposal = other.path + u"\\b.txt";
  EXPECT_EQ(gSeen.questions[0].proposal, proposal);
  ASSERT_EQ(gSeen.requests.size(), 1u);
  // Absolute paths: the worker never depends on the current folder.
  EXPECT_EQ(gSeen.requests[0].sources, panel.path + u"\\b.txt" + Z(u"\0\0"));
  EXPECT_EQ(gSeen.requests[0].destination, proposal + Z(u"\0\0"));
  EXPECT_EQ(gSeen.requests[0].flags, 0x0240);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{proposal});
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), std::vector<Text>{panel.path});

  // A selection wins over the cursor, in list order, and ".." never goes along.
  At(list, 0).selected = 1;
  Select({4, 2, 1});
  gSeen.answer = u"elsewhere";
  Move();
  ASSERT_EQ(gSeen.requests.size(), 2u);
  EXPECT_EQ(gSeen.questions[1].text, u"Rename/Move 3 items to:");
  const Text folder = panel.path + u"\\";
  EXPECT_EQ(gSeen.requests[1].sources, folder + u"docs" + Z(u"\0") + folder + u"a.txt" + Z(u"\0") + folder +
                                           u"c.txt" + Z(u"\0\0"));
  EXPECT_EQ(gSeen.requests[1].destination, folder + u"elsewhere" + Z(u"\0\0"));
  EXPECT_EQ(ReadHistory(kHistoryMove), std::vector<Text>{u"elsewhere"});
}

TEST_F(FileOperations, NothingStartsOnTheUpEntryAndDeleteAsksNothing) {
  panel.cursor = 0;
  EXPECT_EQ(Copy().status, -1);
  panel.cursor = 2;
  Delete(true);
  Delete(false);
  test::TestSettings().PanelDeleteRecycle = 0;
  Delete(true);
  EXPECT_TRUE(gSeen.questions.empty());
  ASSERT_EQ(gSeen.requests.size(), 3u);
  EXPECT_EQ(gSeen.requests[0].operation, kOperationDelete);
  EXPECT_EQ((std::vector<int>{gSeen.requests[0].flags, gSeen.requests[1].flags, gSeen.requests[2].flags}),
            (std::vector<int>{0x0240, 0x0200, 0x0200}));  // the recycle bin only when asked for and on
}

TEST_F(FileOperations, TheTemporaryPanelTakesCopiesAsFullPathItemsAndTouchesNoFile) {
  other.temporary = 1;
  other.sortMode = kSortName;
  ClearItems(otherList);
  MakeUpEntry(other, otherList);
  Select({1, 4});
  EXPECT_TRUE(Copy().otherChanged);
  const Text c = panel.path + u"/c.txt";
  EXPECT_EQ(Names(otherList), (std::vector<Text>{u"..", panel.path + u"/docs", c}));
  EXPECT_TRUE(std::filesystem::is_empty(target.Path()));

  // Moving into it does nothing; copying out hands over the full path as it is.
  EXPECT_EQ(Move().status, -1);
  other.cursor = 2;
  CopyCommand(other, otherList, panel, list, hooks);
  ASSERT_EQ(gSeen.requests.size(), 1u);
  EXPECT_EQ(gSeen.requests[0].sources, c + Z(u"\0\0"));

  // Only the recycle form of Delete takes the item off the list; the file stays.
  EXPECT_EQ(DeleteCommand(other, otherList, panel, list, false, hooks).status, -1);
  EXPECT_TRUE(DeleteCommand(other, otherList, panel, list, true, hooks).panelChanged);
  EXPECT_EQ(Count(otherList), 2);
  EXPECT_TRUE(std::filesystem::exists(source.Path() / "c.txt"));
}

TEST_F(FileOperations, ArchiveAndFtpPanelsGoElsewhere) {
  hooks.ftpTransfer = [](TextView, Panel&, ItemList&, Panel&, uint32_t) { return ++gSeen.ftpCalls, 0; };
  hooks.extractArchive = [](Panel&, ItemList&, Panel&) { return ++gSeen.extractions, 0; };
  panel.cursor = 2;
  panel.archiveOpen = 1;
  Copy();
  Move();
  Delete(true);
  EXPECT_EQ(gSeen.extractions, 1);
  panel.archiveOpen = 0;

  // Towards an FTP panel the proposal is its FTP folder, and the transfer replaces the shell.
  other.ftp = 1;
  other.ftpCurrentDir = u"/pub/incoming";
  Copy();
  ASSERT_EQ(gSeen.questions.size(), 1u);
  EXPECT_EQ(gSeen.questions[0].proposal, u"/pub/incoming");
  // A local delete beside an FTP panel stays with the shell.
  Delete(true);
  EXPECT_EQ(gSeen.ftpCalls, 1);
  EXPECT_EQ(gSeen.requests.size(), 1u);
}

TEST_F(FileOperations, ConsoleProgramsRunThroughCmdAndPauseOthersAreOpened) {
  platform::portable::TakeShellCalls();
  EXPECT_TRUE(IsConsoleProgram(0x00005A4D));
  EXPECT_FALSE(IsConsoleProgram(0x04004550));  // a windowed program has a version word

  platform::portable::SetExecutableType(0x4550);
  RunFile(test::TestSettings(), u"C:\\tools", u"t.exe");
  platform::portable::SetExecutableType(0);
  RunFile(test::TestSettings(), u"C:\\docs", u"a.txt");
  const auto calls = platform::portable::TakeShellCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, u"C:\\windows\\system32\\cmd.exe");
  EXPECT_EQ(calls[0].parameters, u"/C \"\"C:\\tools\\t.exe\" & pause\"");
  EXPECT_EQ(calls[1].file, u"C:\\docs\\a.txt");
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), (std::vector<Text>{u"C:\\tools", u"C:\\docs"}));
}

TEST_F(FileOperations, MakeFolderTakesRelativeAndAbsoluteNamesButNotTooLongOnesOrTheTemporaryPanel) {
  EXPECT_EQ(FolderPathFor(u"a\\b", u"C:\\work\\"), u"C:\\work\\a\\b");
  EXPECT_EQ(FolderPathFor(u"D:\\x", u"C:\\work"), u"D:\\x");
  EXPECT_EQ(FolderPathFor(u"\\x", u"C:\\work"), u"\\x");

  // The chain itself is made end to end; here only what stops it.
  test::MessageCapture messages;
  EXPECT_EQ(CreateTypedFolder(panel, u"/" + Text(259, u'n')), -1);  // 260 with the root
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"File name too long");
  panel.temporary = 1;
  EXPECT_EQ(CreateTypedFolder(panel, u"x"), -1);
}

}  // namespace
}  // namespace nrv
