// Copy, Move and Delete up to the hand-over: what is asked, what the shell would be given, and
// what is remembered. The shell's own work is checked under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "fileops/file_operation.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

// What the fake prompt and the fake worker saw.
struct Seen {
  std::vector<DestinationQuestion> questions;
  std::vector<FileOperationRequest> requests;
  bool accept = true;
  Text answer;  // empty: accept the proposal as it is
  int ftpCalls = 0, extractions = 0;
} gSeen;

bool FakePrompt(const DestinationQuestion& question, Text& answer) {
  gSeen.questions.push_back(question);
  answer = gSeen.answer.empty() ? question.proposal : gSeen.answer;
  return gSeen.accept;
}
int FakeWorker(FileOperationRequest& request) {
  gSeen.requests.push_back(request);
  return 0;
}

// A literal with its embedded NULs.
template <size_t N>
Text Z(const char16_t (&text)[N]) {
  return Text(text, N - 1);
}

class FileOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    platform::portable::ResetRegistry();
    ClearItems(TheTemporaryStore());
    gSeen = Seen{};
    hooks.prompt = &FakePrompt;
    hooks.startWorker = &FakeWorker;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) source.MakeFile(name, 5);
    source.MakeFolder("docs");
    panel.path = source.Path().u16string();
    other.side = kRightPanel;
    other.path = target.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", docs, a.txt, b.txt, c.txt
    ASSERT_EQ(ReadFolder(other, otherList), 0);
  }
  void TearDown() override { ClearItems(TheTemporaryStore()); }

  int IndexOf(TextView name) {
    for (int i = 0; i < Count(list); ++i)
      if (ItemName(At(list, i)) == name) return i;
    return -1;
  }
  void Select(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) At(list, IndexOf(name)).selected = 1;
    RecountSelection(list, panel);
  }
  FileOperationResult Copy() { return CopyCommand(panel, list, other, otherList, hooks); }
  FileOperationResult Move() { return MoveCommand(panel, list, other, otherList, hooks); }

  test::TempFolder source, target;
  Panel panel, other;
  ItemList list, otherList;
  FileOperationHooks hooks;
};

TEST_F(FileOperations, CursorFileIsProposedUnderItsOwnNameAndHandedOverWithDoubleNuls) {
  panel.cursor = IndexOf(u"b.txt");
  EXPECT_EQ(Copy().status, 0);
  ASSERT_EQ(gSeen.questions.size(), 1u);
  const DestinationQuestion& question = gSeen.questions[0];
  EXPECT_EQ(question.caption, u"Copy");
  EXPECT_EQ(question.text, u"Copy b.txt to:");
  EXPECT_EQ(question.proposal, other.path + u"\\b.txt");

  ASSERT_EQ(gSeen.requests.size(), 1u);
  const FileOperationRequest& request = gSeen.requests[0];
  EXPECT_EQ(request.operation, kOperationCopy);
  EXPECT_EQ(request.sourceList, Z(u"b.txt\0\0"));
  EXPECT_EQ(request.sourceLength, 7u);
  EXPECT_EQ(request.destinationList, question.proposal + Z(u"\0\0"));
  EXPECT_EQ(request.flags, 0x0240);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{question.proposal});
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), std::vector<Text>{panel.path});
  // The command's buffers are gone once the worker has its copies.
  EXPECT_TRUE(TheFileOperationRequest().sourceList.empty());
}

TEST_F(FileOperations, SelectionWinsOverTheCursorAndDotsAreNeverTaken) {
  At(list, 0).selected = 1;  // ".." marked by accident
  Select({u"c.txt", u"a.txt", u"docs"});
  panel.cursor = IndexOf(u"b.txt");
  Copy();
  ASSERT_EQ(gSeen.requests.size(), 1u);
  EXPECT_EQ(gSeen.requests[0].sourceList, Z(u"docs\0a.txt\0c.txt\0\0"));  // list order
  EXPECT_EQ(gSeen.questions[0].text, u"Copy 3 items to:");
  EXPECT_EQ(gSeen.questions[0].proposal, other.path + u"\\");

  // One selected item is "one item", but no name is added, and a trailing backslash is not doubled.
  for (PanelItem* item : list.items) item->selected = 0;
  Select({u"docs"});
  other.path += u"\\";
  gSeen.answer = u"elsewhere";
  Move();
  EXPECT_EQ(gSeen.questions[1].text, u"Rename/Move docs to:");
  EXPECT_EQ(gSeen.questions[1].historyList, kHistoryMove);
  EXPECT_EQ(gSeen.questions[1].proposal, other.path);
  // The typed answer is what the shell gets and what the Move history keeps.
  EXPECT_EQ(gSeen.requests[1].operation, kOperationMove);
  EXPECT_EQ(gSeen.requests[1].destinationList, Z(u"elsewhere\0\0"));
  EXPECT_EQ(ReadHistory(kHistoryMove), std::vector<Text>{u"elsewhere"});
}

TEST_F(FileOperations, NothingStartsOnTheUpEntryOrOnCancelAndDeleteAsksNothing) {
  panel.cursor = 0;
  EXPECT_EQ(Copy().status, -1);
  panel.cursor = IndexOf(u"a.txt");
  gSeen.accept = false;
  EXPECT_EQ(Copy().status, -1);
  EXPECT_EQ(gSeen.questions.size(), 1u);
  EXPECT_TRUE(gSeen.requests.empty());
  EXPECT_TRUE(ReadHistory(kHistoryCopy).empty());

  // The recycle bin only when asked for and switched on.
  DeleteCommand(panel, list, other, otherList, true, hooks);
  DeleteCommand(panel, list, other, otherList, false, hooks);
  TheSettings().PanelDeleteRecycle = 0;
  DeleteCommand(panel, list, other, otherList, true, hooks);
  EXPECT_EQ(gSeen.questions.size(), 1u);
  ASSERT_EQ(gSeen.requests.size(), 3u);
  EXPECT_EQ(gSeen.requests[0].operation, kOperationDelete);
  EXPECT_EQ(gSeen.requests[0].flags, 0x0240);
  EXPECT_EQ(gSeen.requests[1].flags, 0x0200);
  EXPECT_EQ(gSeen.requests[2].flags, 0x0200);
}

TEST_F(FileOperations, ADropIsCopiedWithoutAskingAndItsTargetRemembered) {
  ReadyList dropped;
  dropped.names = Z(u"/x/one.txt\0/x/two\0\0");
  dropped.length = static_cast<uint32_t>(dropped.names.size());
  dropped.count = 2;
  FileOperationArgs args;
  args.destinationFolder = other.path;
  args.ready = &dropped;
  args.operation = kOperationCopy;
  Select({u"a.txt"});  // the panel's own selection plays no part
  EXPECT_EQ(FileOperation(args, panel, list, other, otherList, hooks).status, 0);
  EXPECT_TRUE(gSeen.questions.empty());
  ASSERT_EQ(gSeen.requests.size(), 1u);
  EXPECT_EQ(gSeen.requests[0].sourceList, dropped.names);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{other.path + u"\\"});
}

TEST_F(FileOperations, TheTemporaryPanelTakesCopiesAsFullPathItemsAndTouchesNoFile) {
  other.temporary = 1;
  other.sortMode = kSortName;
  ClearItems(otherList);
  MakeUpEntry(other, otherList);
  Select({u"docs", u"c.txt"});
  EXPECT_TRUE(Copy().otherChanged);
  const Text c = panel.path + u"/c.txt";
  EXPECT_EQ(Names(otherList), (std::vector<Text>{u"..", panel.path + u"/docs", c}));
  EXPECT_EQ(other.fileCount, 1);
  EXPECT_TRUE(std::filesystem::is_empty(target.Path()));

  // Moving into it or out of it does nothing; copying out hands over the full path as it is.
  EXPECT_EQ(Move().status, -1);
  other.cursor = 2;
  EXPECT_EQ(MoveCommand(other, otherList, panel, list, hooks).status, -1);
  EXPECT_TRUE(gSeen.requests.empty());
  CopyCommand(other, otherList, panel, list, hooks);
  ASSERT_EQ(gSeen.requests.size(), 1u);
  EXPECT_EQ(gSeen.requests[0].sourceList, c + Z(u"\0\0"));

  // Only the recycle form of Delete takes the item off the list; the file stays.
  EXPECT_EQ(DeleteCommand(other, otherList, panel, list, false, hooks).status, -1);
  EXPECT_TRUE(DeleteCommand(other, otherList, panel, list, true, hooks).panelChanged);
  EXPECT_EQ(Count(otherList), 2);
  EXPECT_TRUE(std::filesystem::exists(source.Path() / "c.txt"));
  EXPECT_EQ(gSeen.requests.size(), 1u);
}

TEST_F(FileOperations, ArchiveAndFtpPanelsGoElsewhere) {
  hooks.ftpTransfer = [](TextView, Panel&, ItemList&, Panel&, uint32_t) { return ++gSeen.ftpCalls, 0; };
  hooks.extractArchive = [](Panel&, ItemList&, Panel&) { return ++gSeen.extractions, 0; };
  panel.cursor = IndexOf(u"a.txt");
  panel.archiveOpen = 1;
  Copy();
  Move();
  DeleteCommand(panel, list, other, otherList, true, hooks);
  EXPECT_EQ(gSeen.extractions, 1);
  EXPECT_TRUE(gSeen.questions.empty());
  panel.archiveOpen = 0;

  // Towards an FTP panel the proposal is its FTP folder, and the transfer replaces the shell.
  other.ftp = 1;
  other.ftpCurrentDir = u"/pub/incoming";
  Copy();
  ASSERT_EQ(gSeen.questions.size(), 1u);
  EXPECT_EQ(gSeen.questions[0].proposal, u"/pub/incoming");
  EXPECT_EQ(gSeen.ftpCalls, 1);
  // A local delete beside an FTP panel stays with the shell.
  DeleteCommand(panel, list, other, otherList, true, hooks);
  EXPECT_EQ(gSeen.ftpCalls, 1);
  EXPECT_EQ(gSeen.requests.size(), 1u);
}

}  // namespace
}  // namespace nrv
