// Drag and drop up to the OLE calls: the CF_HDROP block both ways, the text of the window that
// follows the pointer, the paths a drag offers, and what a drop on a panel does.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <string>
#include <vector>

#include "config/history.h"
#include "core/item_list.h"
#include "fileops/drag_items.h"
#include "fileops/drop_action.h"
#include "fileops/drop_list.h"
#include "platform/portable/portable_controls.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

// Single-byte "code page" of the tests: each byte is the character of the same number.
Text Latin1(std::string_view bytes) {
  Text text;
  for (char byte : bytes) text += static_cast<char16_t>(static_cast<uint8_t>(byte));
  return text;
}

std::vector<uint8_t> AnsiBlock(std::string_view list) {
  std::vector<uint8_t> block(kDropFilesHeaderSize + list.size(), 0);
  block[0] = kDropFilesHeaderSize;
  for (size_t i = 0; i < list.size(); ++i) block[kDropFilesHeaderSize + i] = static_cast<uint8_t>(list[i]);
  return block;
}

// Items owned for the length of a test.
struct Items {
  ItemList list;
  std::vector<const PanelItem*> Add(std::initializer_list<const char16_t*> names, bool folders = false) {
    std::vector<const PanelItem*> added;
    for (const char16_t* name : names) {
      PanelItem* item = NewItem(name);
      if (folders) item->attributes = 0x10;
      Append(list, item);
      added.push_back(item);
    }
    return added;
  }
};

TEST(DropList, WideListsCarryEveryNameAndAnsiListsAreReadThroughTheCodePage) {
  const std::vector<Text> paths{u"C:\\work\\a.txt", u"C:\\\u0444\u0430\u0439\u043B \u03A9.txt", u"\\docs"};
  const std::vector<uint8_t> block = BuildDropList(paths);
  // Header: files at 20, point (0, 0), non-client 1, wide 1; the list ends with two NULs.
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 20),
            (std::vector<uint8_t>{20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(block.end() - 4, block.end()), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(ReadDropList(block.data(), block.size(), &Latin1), paths);
  EXPECT_TRUE(ReadDropList(BuildDropList({}).data(), BuildDropList({}).size(), &Latin1).empty());

  const std::vector<uint8_t> ansi = AnsiBlock(std::string("C:\\x\\caf\xE9.txt\0D:\\y\0\0", 20));
  EXPECT_EQ(ReadDropList(ansi.data(), ansi.size(), &Latin1), (std::vector<Text>{u"C:\\x\\caf\u00E9.txt", u"D:\\y"}));
}

TEST(DropList, DamagedBlocksGiveWhatTheyHoldAndNoMore) {
  const std::vector<uint8_t> block = BuildDropList({u"C:\\a", u"C:\\b"});
  EXPECT_TRUE(ReadDropList(block.data(), 19, &Latin1).empty());
  EXPECT_TRUE(ReadDropList(nullptr, 0, &Latin1).empty());
  std::vector<uint8_t> outside = block;
  outside[0] = 200;  // the list would start beyond the block
  EXPECT_TRUE(ReadDropList(outside.data(), outside.size(), &Latin1).empty());
  // Cut inside the second name, and an odd last byte: the first name only.
  EXPECT_EQ(ReadDropList(block.data(), 20 + 10 + 5, &Latin1), std::vector<Text>{u"C:\\a"});
  const std::vector<uint8_t> unclosed = AnsiBlock(std::string("C:\\a\0C:\\b", 9));
  EXPECT_EQ(ReadDropList(unclosed.data(), unclosed.size(), &Latin1), std::vector<Text>{u"C:\\a"});
}

TEST(DragWindow, ListsTwentyItemsThenSumsUp) {
  Items items;
  const DragWindowText three = MakeDragWindowText(false, items.Add({u"a.txt", u"bb.txt", u"c"}));
  EXPECT_EQ(three.text, u"Copy:\r\n1. a.txt\r\n2. bb.txt\r\n3. c\r\n");
  EXPECT_EQ(three.lines, 4);
  EXPECT_EQ(three.longestLine, 9);  // "2. bb.txt"

  std::vector<const PanelItem*> many;
  for (int i = 1; i <= 25; ++i) many.push_back(items.Add({(u"f" + Ascii(std::to_string(i))).c_str()})[0]);
  const DragWindowText all = MakeDragWindowText(true, many);
  EXPECT_EQ(all.lines, 23);  // caption, 20 names, "...", the total
  EXPECT_EQ(all.text.substr(0, 17), u"Extract:\r\n1. f1\r\n");
  EXPECT_NE(all.text.find(u"\r\n20. f20\r\n...\r\nTotal: 25 items"), Text::npos);
  EXPECT_EQ(all.text.find(u"f21"), Text::npos);
  EXPECT_EQ(all.text.substr(all.text.size() - 15), u"Total: 25 items");  // no line end after it
  EXPECT_EQ(all.longestLine, 15);

  many.resize(20);
  EXPECT_EQ(MakeDragWindowText(false, many).text.find(u"Total"), Text::npos);
}

TEST(DragWindow, PathsFollowTheLocationOfThePanel) {
  Items items;
  std::vector<const PanelItem*> chosen = items.Add({u"a.txt"});
  chosen.push_back(items.Add({u"docs"}, true)[0]);
  Panel panel;
  panel.path = u"C:\\work";
  EXPECT_EQ(DragPaths(panel, chosen), (std::vector<Text>{u"C:\\work\\a.txt", u"C:\\work\\docs"}));
  // Archive items are dragged as copies; a drop on the other panel extracts them by name.
  EXPECT_EQ(ArchiveNamesOf({u"C:\\temp\\Norvane-8\\4\\a.txt", u"C:\\temp\\Norvane-8\\4\\docs", u"b.txt"}),
            (std::vector<Text>{u"a.txt", u"docs", u"b.txt"}));
  // The temporary panel's names are full paths already.
  panel.temporary = 1;
  EXPECT_EQ(DragPaths(panel, items.Add({u"D:\\x\\y.txt"}))[0], u"D:\\x\\y.txt");
}

TEST(DropDecision, OnlyTheOtherPanelOrAnotherProgramDropsAndTheSourceDecidesHow) {
  using K = LocationKind;
  const DropOrigin foreign{};
  const DropOrigin left{kLeftPanel, K::Local}, leftArchive{kLeftPanel, K::Archive}, leftFtp{kLeftPanel, K::Ftp};
  EXPECT_EQ(DecideDrop(kLeftPanel, K::Local, left), DropAction::None);
  EXPECT_EQ(DecideDrop(kLeftPanel, K::Local, leftArchive), DropAction::None);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Local, left), DropAction::Copy);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Local, foreign), DropAction::Copy);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Temporary, foreign), DropAction::AddToTemporary);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Archive, left), DropAction::None);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Local, leftArchive), DropAction::Extract);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Temporary, leftArchive), DropAction::None);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Local, leftFtp), DropAction::Download);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Ftp, leftFtp), DropAction::None);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Ftp, left), DropAction::Upload);
  EXPECT_EQ(DecideDrop(kRightPanel, K::Ftp, foreign), DropAction::None);
}

TEST(DropDecision, DroppedFilesAreCopiedWithoutAPromptAndTheFolderRemembered) {
  test::TestSettings() = Settings{};
  platform::portable::ResetRegistry();
  static std::vector<FileOperationJob> jobs;
  jobs.clear();
  FileOperationHooks hooks;
  hooks.startWorker = [](FileOperationJob job) { return jobs.push_back(std::move(job)), 0; };
  test::TempFolder folder;
  Panel target = AttachedPanel();
  target.path = folder.Path().u16string();
  ItemList list;

  const ReadyList dropped = ReadyListOf({u"C:\\in\\a.txt", u"", u"D:\\b"});
  EXPECT_EQ(dropped.count, 2);
  EXPECT_EQ(CopyDroppedFiles(dropped, target, list, hooks).status, 0);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].operation, kOperationCopy);
  EXPECT_EQ(jobs[0].sources, Text(u"C:\\in\\a.txt\0D:\\b\0\0", 18));
  EXPECT_EQ(jobs[0].destination, target.path + Text(u"\\\0\0", 3));
  EXPECT_EQ(ReadHistory(kHistoryCopy), std::vector<Text>{target.path + u"\\"});
}

}  // namespace
}  // namespace nrv
