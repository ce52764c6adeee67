#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "fileops/file_operation.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

// What the fake prompt and worker saw.
struct Seen {
  std::vector<DestinationQuestion> questions;
  std::vector<FileOperationRequest> requests;
  bool accept = true;
  Text answer;  // empty: accept the proposal as it is
  int ftpCalls = 0;
  int extractions = 0;
};
Seen& TheSeen() {
  static Seen seen;
  return seen;
}

bool FakePrompt(const DestinationQuestion& question, Text& answer) {
  TheSeen().questions.push_back(question);
  answer = TheSeen().answer.empty() ? question.proposal : TheSeen().answer;
  return TheSeen().accept;
}
int FakeWorker(FileOperationRequest& request) {
  TheSeen().requests.push_back(request);
  return 0;
}
int FakeFtp(TextView, Panel&, ItemList&, Panel&, uint32_t) {
  ++TheSeen().ftpCalls;
  return 0;
}
int FakeExtract(Panel&, ItemList&, Panel&) {
  ++TheSeen().extractions;
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
    TheSeen() = Seen{};
    hooks.prompt = &FakePrompt;
    hooks.startWorker = &FakeWorker;
    source.MakeFile("a.txt", 3);
    source.MakeFile("b.txt", 4);
    source.MakeFile("c.txt", 5);
    source.MakeFolder("docs");
    panel.path = source.Path().u16string();
    other.side = kRightPanel;
    other.path = target.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", docs, a.txt, b.txt, c.txt
    ASSERT_EQ(ReadFolder(other, otherList), 0);
  }
  void TearDown() override { ClearItems(TheTemporaryStore()); }

  int IndexOf(const ItemList& items, TextView name) {
    for (int i = 0; i < Count(items); ++i)
      if (ItemName(At(items, i)) == name) return i;
    return -1;
  }
  void Select(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) At(list, IndexOf(list, name)).selected = 1;
    RecountSelection(list, panel);
  }

  test::TempFolder source, target;
  Panel panel, other;
  ItemList list, otherList;
  FileOperationHooks hooks;
};

TEST_F(FileOperations, CursorFileIsProposedUnderItsOwnNameAndHandedOverWithDoubleNuls) {
  panel.cursor = IndexOf(list, u"b.txt");
  const FileOperationResult result = CopyCommand(panel, list, other, otherList, hooks);
  EXPECT_EQ(result.status, 0);
  ASSERT_EQ(TheSeen().questions.size(), 1u);
  const DestinationQuestion& question = TheSeen().questions[0];
  EXPECT_EQ(question.caption, u"Copy");
  EXPECT_EQ(question.text, u"Copy b.txt to:");
  EXPECT_EQ(question.historyList, kHistoryCopy);
  EXPECT_EQ(question.proposal, other.path + u"\\b.txt");

  ASSERT_EQ(TheSeen().requests.size(), 1u);
  const FileOperationRequest& request = TheSeen().requests[0];
  EXPECT_EQ(request.operation, kOperationCopy);
  EXPECT_EQ(request.sourceList, Z(u"b.txt\0\0"));
  EXPECT_EQ(request.sourceLength, 7u);
  EXPECT_EQ(request.destinationList, question.proposal + Z(u"\0\0"));
  EXPECT_EQ(request.destinationLength, question.proposal.size() + 2);
  EXPECT_EQ(request.flags, 0x0240);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{question.proposal});
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), std::vector<Text>{panel.path});
  // The command's buffers are gone once the worker has its copies.
  EXPECT_TRUE(TheFileOperationRequest().sourceList.empty());
}

TEST_F(FileOperations, FolderProposalsEndInOneBackslash) {
  panel.cursor = IndexOf(list, u"docs");
  CopyCommand(panel, list, other, otherList, hooks);
  other.path += u"\\";
  TheSeen().answer = u"elsewhere";
  MoveCommand(panel, list, other, otherList, hooks);
  ASSERT_EQ(TheSeen().questions.size(), 2u);
  EXPECT_EQ(TheSeen().questions[0].proposal, target.Path().u16string() + u"\\");
  EXPECT_EQ(TheSeen().questions[1].proposal, target.Path().u16string() + u"\\");
  EXPECT_EQ(TheSeen().questions[1].caption, u"Rename/Move");
  EXPECT_EQ(TheSeen().questions[1].text, u"Rename/Move docs to:");
  EXPECT_EQ(TheSeen().questions[1].historyList, kHistoryMove);
  // The typed answer is what the shell gets and what the Move history keeps.
  ASSERT_EQ(TheSeen().requests.size(), 2u);
  EXPECT_EQ(TheSeen().requests[1].operation, kOperationMove);
  EXPECT_EQ(TheSeen().requests[1].destinationList, Z(u"elsewhere\0\0"));
  EXPECT_EQ(ReadHistory(kHistoryMove), std::vector<Text>{u"elsewhere"});
}

TEST_F(FileOperations, SelectionWinsOverTheCursorAndDotsAreNeverTaken) {
  At(list, 0).selected = 1;  // ".." marked by accident
  Select({u"c.txt", u"a.txt", u"docs"});
  panel.cursor = IndexOf(list, u"b.txt");
  CopyCommand(panel, list, other, otherList, hooks);
  ASSERT_EQ(TheSeen().requests.size(), 1u);
  EXPECT_EQ(TheSeen().requests[0].sourceList, Z(u"docs\0a.txt\0c.txt\0\0"));  // list order
  EXPECT_EQ(TheSeen().questions[0].text, u"Copy 3 items to:");
  // Several items: no name is added to the proposal.
  EXPECT_EQ(TheSeen().questions[0].proposal, other.path + u"\\");

  // One selected file is "one item", but it is no cursor-only operation.
  for (PanelItem* item : list.items) item->selected = 0;
  Select({u"a.txt"});
  MoveCommand(panel, list, other, otherList, hooks);
  EXPECT_EQ(TheSeen().questions[1].text, u"Rename/Move a.txt to:");
  EXPECT_EQ(TheSeen().questions[1].proposal, other.path + u"\\");
}

TEST_F(FileOperations, RecycleBinOnlyWhenAllowedAndSwitchedOn) {
  panel.cursor = IndexOf(list, u"a.txt");
  DeleteCommand(panel, list, other, otherList, true, hooks);
  DeleteCommand(panel, list, other, otherList, false, hooks);
  TheSettings().PanelDeleteRecycle = 0;
  DeleteCommand(panel, list, other, otherList, true, hooks);
  CopyCommand(panel, list, other, otherList, hooks);
  ASSERT_EQ(TheSeen().requests.size(), 4u);
  EXPECT_EQ(TheSeen().requests[0].flags, 0x0240);
  EXPECT_EQ(TheSeen().requests[1].flags, 0x0200);
  EXPECT_EQ(TheSeen().requests[2].flags, 0x0200);
  EXPECT_EQ(TheSeen().requests[3].flags, 0x0200);
  EXPECT_EQ(TheSeen().requests[0].operation, kOperationDelete);
  // Delete asks nothing here and adds to no destination history.
  EXPECT_EQ(TheSeen().questions.size(), 1u);
  EXPECT_EQ(ReadHistory(kHistoryMove).size(), 0u);
}

TEST_F(FileOperations, NothingStartsWithoutItemsOrWhenTheUserCancels) {
  panel.cursor = 0;  // ".."
  EXPECT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, -1);
  EXPECT_TRUE(TheSeen().questions.empty());

  panel.cursor = IndexOf(list, u"a.txt");
  TheSeen().accept = false;
  EXPECT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, -1);
  EXPECT_EQ(TheSeen().questions.size(), 1u);
  EXPECT_TRUE(TheSeen().requests.empty());
  EXPECT_TRUE(ReadHistory(kHistoryCopy).empty());

  ItemList empty;
  EXPECT_EQ(MoveCommand(panel, empty, other, otherList, hooks).status, -1);
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations).size(), 1u);  // added before the check

  // A folder that cannot be made current ends the operation before anything is asked.
  test::MessageCapture messages;
  panel.path = (source.Path() / "gone").u16string();
  EXPECT_EQ(CopyCommand(panel, list, other, otherList, hooks).status, -1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.rfind(u"Error set current directory: \"" + panel.path + u"\"", 0), 0u);
  EXPECT_EQ(TheSeen().questions.size(), 1u);
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
  EXPECT_TRUE(TheSeen().questions.empty());
  ASSERT_EQ(TheSeen().requests.size(), 1u);
  EXPECT_EQ(TheSeen().requests[0].sourceList, dropped.names);
  EXPECT_EQ(TheSeen().requests[0].sourceLength, dropped.length);
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{other.path + u"\\"});
}

TEST_F(FileOperations, CopyingIntoTheTemporaryPanelAddsFullPathItemsAndTouchesNoFile) {
  other.temporary = 1;
  other.sortMode = kSortName;
  ClearItems(otherList);
  MakeUpEntry(other, otherList);
  Select({u"docs", u"c.txt"});
  const FileOperationResult result = CopyCommand(panel, list, other, otherList, hooks);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.otherChanged);
  EXPECT_TRUE(TheSeen().questions.empty());
  EXPECT_TRUE(TheSeen().requests.empty());
  const Text docs = panel.path + u"/docs", c = panel.path + u"/c.txt";
  EXPECT_EQ(Names(otherList), (std::vector<Text>{u"..", docs, c}));  // sorted: folders first
  EXPECT_EQ(At(otherList, 1).size, kFolderSize);
  EXPECT_TRUE(IsFolder(At(otherList, 1)));
  EXPECT_EQ(At(otherList, 2).size, 5);
  EXPECT_NE(At(otherList, 2).writeTime, 0u);
  EXPECT_EQ(other.fileCount, 1);
  EXPECT_TRUE(std::filesystem::is_empty(target.Path()));

  // Moving into it, or out of it, does nothing.
  EXPECT_EQ(MoveCommand(panel, list, other, otherList, hooks).status, -1);
  other.cursor = 2;
  EXPECT_EQ(MoveCommand(other, otherList, panel, list, hooks).status, -1);
  EXPECT_TRUE(TheSeen().requests.empty());
  EXPECT_EQ(Count(otherList), 3);
}

TEST_F(FileOperations, CopyOutOfTheTemporaryPanelUsesTheFullPathsAsTheyAre) {
  Panel temporary;
  ItemList items;
  temporary.temporary = 1;
  temporary.path = source.Path().u16string();
  MakeUpEntry(temporary, items);
  const Text file = panel.path + u"/a.txt";
  PanelItem* item = NewItem(file);
  item->size = 3;
  Append(items, item);
  temporary.cursor = 1;
  CopyCommand(temporary, items, other, otherList, hooks);
  ASSERT_EQ(TheSeen().requests.size(), 1u);
  EXPECT_EQ(TheSeen().requests[0].sourceList, file + Z(u"\0\0"));
  // No name is proposed out of a temporary panel.
  EXPECT_EQ(TheSeen().questions[0].proposal, other.path + u"\\");

  // Deleting there takes the item off the list (the recycle form only) and leaves the file.
  EXPECT_EQ(DeleteCommand(temporary, items, other, otherList, false, hooks).status, -1);
  EXPECT_EQ(Count(items), 2);
  const FileOperationResult removed = DeleteCommand(temporary, items, other, otherList, true, hooks);
  EXPECT_TRUE(removed.panelChanged);
  EXPECT_EQ(Names(items), std::vector<Text>{u".."});
  EXPECT_TRUE(std::filesystem::exists(source.Path() / "a.txt"));
  EXPECT_EQ(TheSeen().requests.size(), 1u);

  // A delete beside a temporary panel is an ordinary delete.
  panel.cursor = IndexOf(list, u"a.txt");
  DeleteCommand(panel, list, temporary, items, true, hooks);
  EXPECT_EQ(TheSeen().requests.size(), 2u);
}

TEST_F(FileOperations, ArchiveAndFtpPanelsGoElsewhere) {
  hooks.ftpTransfer = &FakeFtp;
  hooks.extractArchive = &FakeExtract;
  panel.cursor = IndexOf(list, u"a.txt");
  panel.archiveOpen = 1;
  CopyCommand(panel, list, other, otherList, hooks);
  MoveCommand(panel, list, other, otherList, hooks);
  DeleteCommand(panel, list, other, otherList, true, hooks);
  EXPECT_EQ(TheSeen().extractions, 1);
  EXPECT_TRUE(TheSeen().questions.empty());
  panel.archiveOpen = 0;

  // Towards an FTP panel the proposal is its FTP folder, and the transfer replaces the shell.
  other.ftp = 1;
  other.ftpCurrentDir = u"/pub/incoming";
  CopyCommand(panel, list, other, otherList, hooks);
  ASSERT_EQ(TheSeen().questions.size(), 1u);
  EXPECT_EQ(TheSeen().questions[0].proposal, u"/pub/incoming");
  EXPECT_EQ(TheSeen().ftpCalls, 1);
  // A local delete beside an FTP panel stays with the shell.
  DeleteCommand(panel, list, other, otherList, true, hooks);
  EXPECT_EQ(TheSeen().ftpCalls, 1);
  EXPECT_EQ(TheSeen().requests.size(), 1u);
}

}  // namespace
}  // namespace nrv
