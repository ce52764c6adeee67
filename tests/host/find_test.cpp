// Find files: the content search across block boundaries and its folding rules, the walk over a
// real tree, the compact result list and where results go.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "find/content_search.h"
#include "find/find_query.h"
#include "find/find_targets.h"
#include "find/find_walk.h"
#include "find/search_results.h"
#include "panel/navigation.h"
#include "platform/portable/portable_controls.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/test_context.h"
#include "viewer/viewer_file.h"

namespace nrv {
namespace {

int64_t FindIn(const std::string& bytes, TextView text, bool caseSensitive = false, bool wholeWords = false,
               size_t blockSize = kContentBlock) {
  ContentPattern pattern;
  if (!MakeContentPattern(text, caseSensitive, wholeWords, pattern)) return -2;
  ViewerFile file;
  OpenViewerMemory(file, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int64_t>(bytes.size()));
  return FindInFile(pattern, file, nullptr, blockSize);
}

TEST(FindContent, TextIsFoundAtEveryPlaceAroundABlockBoundary) {
  for (const size_t block : {kContentBlock, kContentRead, size_t{7}, size_t{64}}) {
    for (size_t at = block > 12 ? block - 12 : 0; at <= block + 2; ++at) {
      std::string bytes(block * 2 + 40, 'x');
      bytes.replace(at, 8, "needle42");
      EXPECT_EQ(FindIn(bytes, u"needle42", false, false, block), static_cast<int64_t>(at)) << block << " " << at;
    }
  }
  std::string bytes(3 * kContentBlock, 'a');
  EXPECT_EQ(FindIn(bytes, u"needle"), -1);
  EXPECT_EQ(FindIn("", u"needle"), -1);
  EXPECT_EQ(FindIn("abc", u""), -2);
}

TEST(FindContent, CaseFoldingIsForAsciiLettersOnly) {
  EXPECT_EQ(FindIn("..HeLLo..", u"hello"), 2);
  EXPECT_EQ(FindIn("..HeLLo..", u"hello", true), -1);
  EXPECT_EQ(FindIn("..HeLLo..", u"HeLLo", true), 2);
  // Cyrillic in the ANSI code page: a capital does not match its small letter.
  EXPECT_EQ(FindIn("\xcf\xd0\xc8", u"\u043f\u0440\u0438"), -1);
  EXPECT_EQ(FindIn("\xef\xf0\xe8", u"\u043f\u0440\u0438"), 0);
  // Text stored as UTF-16 is not the pattern's bytes.
  EXPECT_EQ(FindIn(std::string("h\0e\0l\0l\0o\0", 10), u"hello"), -1);
  EXPECT_EQ(FindIn(std::string("\x01\x00\xffhello\x00", 10), u"hello"), 3);
}

TEST(FindContent, WholeWordsNeedASpaceOnBothSides) {
  EXPECT_EQ(FindIn("a word here", u"word", false, true), 1);
  EXPECT_EQ(FindIn("word here", u"word", false, true), -1);
  EXPECT_EQ(FindIn("here word", u"word", false, true), -1);
  EXPECT_EQ(FindIn("a\tword\n", u"word", false, true), -1);
  EXPECT_EQ(FindIn("a words here", u"word", false, true), -1);
}

TEST(FindQuery, AreasGiveTheStartFolder) {
  const auto entries = AreaEntries(u"C:\\Data\\Sub");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].label, u"From the root of drive C:\\");
  EXPECT_EQ(AreaEntries(u"\\\\server\\share").size(), 2u);
  EXPECT_EQ(AreaOfText(entries, u"typed nonsense"), SearchArea::CurrentFolder);

  FindFilesQuery query;
  ApplyArea(query, SearchArea::CurrentFolder, u"C:\\Data\\Sub");
  EXPECT_EQ(query.startFolder, u"C:\\Data\\Sub\\");
  EXPECT_FALSE(query.currentFolderOnly);
  ApplyArea(query, SearchArea::DriveRoot, u"C:\\Data\\Sub");
  EXPECT_EQ(query.startFolder, u"C:\\");
  ApplyArea(query, SearchArea::CurrentFolderOnly, u"C:\\");
  EXPECT_EQ(query.startFolder, u"C:\\");
  EXPECT_TRUE(query.currentFolderOnly);
}

class FindWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("a.txt", "the needle is here");
    Write("b.txt", "nothing");
    Write("c.dat", "needle but not a text file");
    folder.MakeFolder("sub/deeper.txt");
    Write("sub/d.txt", std::string(kContentBlock - 3, ' ') + "NEEDLE");
    Write("sub/deeper.txt/e.txt", "needle");
    query.startFolder = Windows(folder.Path().u16string()) + u"\\";
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder.Path() / name, std::ios::binary) << bytes;
  }
  static Text Windows(Text path) {
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
  }
  // Found paths relative to the start folder, sorted.
  std::vector<Text> Run() {
    found.clear();
    entered.clear();
    WalkCallbacks callbacks;
    callbacks.found = [&](TextView in, const platform::FindData& entry) {
      found.push_back((Text(in) + entry.name).substr(query.startFolder.size()));
    };
    callbacks.entering = [&](TextView in) { entered.push_back(Text(in)); };
    callbacks.archive = archive;
    result = RunSearch(query, counters, callbacks);
    std::sort(found.begin(), found.end());
    return found;
  }

  test::TempFolder folder;
  FindFilesQuery query;
  SearchCounters counters;
  std::vector<Text> found, entered;
  std::function<int(TextView)> archive;
  int result = -1;
};

TEST_F(FindWalk, MaskAndTextPickExactlyTheMatchingFiles) {
  query.mask = u"*.txt";
  query.text = u"needle";
  EXPECT_EQ(Run(), (std::vector<Text>{u"a.txt", u"sub\\d.txt", u"sub\\deeper.txt\\e.txt"}));
  EXPECT_EQ(counters.filesFound, 3);
  EXPECT_EQ(counters.foldersFound, 0);
  EXPECT_EQ(result, 0);
  query.caseSensitive = true;
  EXPECT_EQ(Run(), (std::vector<Text>{u"a.txt", u"sub\\deeper.txt\\e.txt"}));
}

TEST_F(FindWalk, AreaAndFolderOptions) {
  query.currentFolderOnly = true;
  EXPECT_EQ(Run(), (std::vector<Text>{u"a.txt", u"b.txt", u"c.dat"}));
  EXPECT_EQ(entered.size(), 1u);

  query.currentFolderOnly = false;
  query.includeFolders = true;
  query.mask = u"*.txt";
  EXPECT_EQ(Run(), (std::vector<Text>{u"a.txt", u"b.txt", u"sub\\d.txt", u"sub\\deeper.txt", u"sub\\deeper.txt\\e.txt"}));
  EXPECT_EQ(counters.foldersFound, 1);
  // Depth first: a folder's subfolder is read before anything after it.
  ASSERT_EQ(entered.size(), 3u);
  EXPECT_EQ(entered[2], query.startFolder + u"sub\\deeper.txt\\");
}

TEST_F(FindWalk, ALinkToItsOwnParentAndPathsBeyondTheLimitDoNotStopTheWalk) {
  std::filesystem::create_directory_symlink(folder.Path() / "sub", folder.Path() / "sub" / "loop");
  std::filesystem::path deep = folder.Path() / "long";
  for (char c = 'a'; c < 'f'; ++c) deep /= std::string(60, c);
  std::filesystem::create_directories(deep);
  std::ofstream(deep / "far.txt", std::ios::binary) << "needle";
  query.mask = u"*.txt";
  query.text = u"needle";
  const std::vector<Text> paths = Run();
  EXPECT_EQ(result, 0);
  for (const char16_t* expected : {u"a.txt", u"sub\\d.txt", u"sub\\deeper.txt\\e.txt"})
    EXPECT_NE(std::find(paths.begin(), paths.end(), Text(expected)), paths.end());
  for (const Text& path : paths) EXPECT_EQ(path.find(u"loop"), Text::npos);
  for (const Text& in : entered) EXPECT_EQ(in.find(u"loop"), Text::npos);
}

// An archive that cannot be read is counted for the status line, never found or asked about.
TEST_F(FindWalk, ArchivesThatCannotBeReadAreCountedAndTheWalkGoesOn) {
  Write("bad.zip", "PK\\x03\\x04 damaged");
  Write("good.zip", "PK");
  query.searchArchives = true;
  query.mask = u"*.txt";
  archive = [](TextView path) {
    if (path.ends_with(u"bad.zip") || path.ends_with(u"b.txt")) return -1;
    return path.ends_with(u"good.zip") ? 2 : 0;
  };
  EXPECT_EQ(Run(), (std::vector<Text>{u"a.txt", u"b.txt", u"sub\\d.txt", u"sub\\deeper.txt\\e.txt"}));
  EXPECT_EQ(counters.filesFound, 4 + 2);
  EXPECT_EQ(counters.archivesNotRead, 2);
  EXPECT_EQ(SearchEndText(0), u"Search complete");
  EXPECT_EQ(SearchEndText(1), u"Search complete; 1 archive could not be read");
  EXPECT_EQ(SearchEndText(3), u"Search complete; 3 archives could not be read");
}

TEST_F(FindWalk, UnreadableFoldersAddNothingAndAbortStopsTheWalk) {
  platform::portable::FailNextFindFirst(5);
  EXPECT_EQ(Run(), std::vector<Text>{});
  EXPECT_EQ(result, 0);

  counters.abortRequested = true;
  EXPECT_EQ(Run(), std::vector<Text>{});
  EXPECT_EQ(result, kWalkAborted);

  // A file that vanishes between listing and reading does not match.
  ContentPattern pattern;
  ASSERT_TRUE(MakeContentPattern(u"needle", false, false, pattern));
  EXPECT_EQ(FileContainsText(query.startFolder + u"gone.txt", pattern, nullptr), -1);
}

TEST(FindResults, PathsShareOneBufferAndSurviveMoves) {
  SearchResults a, b;
  platform::FindData file;
  file.name = u"one.txt";
  file.sizeLow = 1500000;
  AddFound(a, u"C:\\x\\", file);
  platform::FindData folder;
  folder.name = u"dir";
  folder.attributes = platform::kAttributeDirectory;
  AddFound(b, u"C:\\y\\", folder);
  AddFoundInArchive(b, u"C:\\y\\z.7z", u"in\\two.txt", 7, 0, 0);
  MoveResults(b, a);
  ASSERT_EQ(Count(a), 3);
  EXPECT_EQ(Count(b), 0);
  EXPECT_EQ(ResultPath(a, 0), u"C:\\x\\one.txt");
  EXPECT_EQ(ResultPath(a, 1), u"C:\\y\\dir");
  EXPECT_EQ(ResultPath(a, 2), u"C:\\y\\z.7z\\in\\two.txt");
  EXPECT_EQ(a.items[2].archivePathLength, 9);
  EXPECT_EQ(ResultSizeText(a.items[0]).view(), u"1465 K");
  EXPECT_EQ(ResultSizeText(a.items[1]).view(), u"<Folder>");
  EXPECT_LE(sizeof(FoundItem), 48u);

  PanelItem* item = ResultToItem(a, 1);
  EXPECT_EQ(ItemName(*item), u"C:\\y\\dir");
  EXPECT_TRUE(IsFolder(*item));
  FreeItem(item);
}

TEST(FindResults, ABurstOfResultsIsAnnouncedOnce) {
  ResultQueue queue;
  platform::FindData entry;
  entry.name = u"f";
  EXPECT_TRUE(QueueFound(queue, u"C:\\", entry));
  EXPECT_FALSE(QueueFound(queue, u"C:\\", entry));
  SearchResults shown;
  TakeQueued(queue, shown);
  EXPECT_EQ(Count(shown), 2);
  EXPECT_TRUE(QueueFound(queue, u"C:\\", entry));
}

class FindTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearItems(test::Context().temporaryStore);
    folder.MakeFolder("sub");
    folder.MakeFile("sub/zeta.txt");
    folder.MakeFile("sub/alpha.txt");
    platform::FindData entry;
    for (const char16_t* name : {u"zeta.txt", u"alpha.txt"}) {
      entry.name = name;
      AddFound(results, Windows(folder.Path().u16string()) + u"\\sub\\", entry);
    }
    panel.sortMode = other.sortMode = kSortName;
    other.side = kRightPanel;
    panel.path = other.path = folder.Path().u16string();
  }
  void TearDown() override { ClearItems(test::Context().temporaryStore); }
  static Text Windows(Text path) {
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
  }

  test::TempFolder folder;
  SearchResults results;
  Panel panel = AttachedPanel(), other = AttachedPanel();
  ItemList list, otherList;
  test::MessageCapture messages;
};

TEST_F(FindTargets, GoToPutsTheCursorOnTheFile) {
  ASSERT_EQ(GoToFound(panel, list, ResultPath(results, 0)), 0);
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"zeta.txt");
}

TEST_F(FindTargets, PanelFillsTheTemporaryPanel) {
  ASSERT_EQ(ResultsToTemporaryPanel(results, 0, other, otherList, panel), 0);
  EXPECT_EQ(KindOf(other), LocationKind::Temporary);
  ASSERT_EQ(Count(otherList), 2);
  EXPECT_EQ(ItemName(At(otherList, other.cursor)), ResultPath(results, 0));
  // A second time into the panel that is already temporary replaces its items.
  SearchResults one;
  platform::FindData entry;
  entry.name = u"alpha.txt";
  AddFound(one, Windows(folder.Path().u16string()) + u"\\sub\\", entry);
  ASSERT_EQ(ResultsToTemporaryPanel(one, 0, other, otherList, panel), 0);
  EXPECT_EQ(Count(otherList), 1);
  EXPECT_TRUE(messages.Taken().empty());
}

}  // namespace
}  // namespace nrv
