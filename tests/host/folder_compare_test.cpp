// Comparing two panels' lists: every rule of what gets selected on which side, names matched as
// Windows matches them, the 2-second window; the byte comparison of real files; the size walk
// over a real tree with a link back to its own parent.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "core/folder_compare.h"
#include "core/folder_sizes.h"
#include "core/formatting.h"
#include "core/listing.h"
#include "core/masks.h"
#include "core/sorting.h"
#include "platform/errors.h"
#include "platform/portable/portable_controls.h"
#include "shell/content_compare.h"
#include "support/item_names.h"
#include "support/temp_folder.h"
#include "support/test_context.h"

namespace nrv {
namespace {

constexpr uint64_t kSecond = 10'000'000;
constexpr uint64_t kNoon = 133'000'000'000'000'000;

CompareEntry File(const char16_t* name, int64_t size, uint64_t time) { return {name, false, size, time}; }
CompareEntry Folder(const char16_t* name) { return {name, true, kFolderSize, kNoon}; }

std::vector<Text> Sorted(std::vector<Text> names) {
  std::sort(names.begin(), names.end());
  return names;
}

CompareOutcome Compare(const CompareOptions& options, const std::vector<CompareEntry>& left,
                       const std::vector<CompareEntry>& right, ContentVerdict content = ContentVerdict::NotRead) {
  return CompareEntryLists(options, left, right, [&](const CompareEntry&, const CompareEntry&) { return content; });
}

// The folders of the end-to-end case, as lists: every row of the rules at once.
const std::vector<CompareEntry> kLeft = {
    File(u"only-left.txt", 10, kNoon),    File(u"newer-left.txt", 20, kNoon + 60 * kSecond),
    File(u"newer-right.txt", 30, kNoon),  File(u"Same.txt", 40, kNoon),
    File(u"same-bytes-differ.bin", 50, kNoon), File(u"file-or-folder", 60, kNoon),
    Folder(u"only-left-folder"),          Folder(u"both-folder")};
const std::vector<CompareEntry> kRight = {
    File(u"only-right.txt", 11, kNoon),   File(u"NEWER-LEFT.TXT", 21, kNoon),
    File(u"newer-right.txt", 30, kNoon + 60 * kSecond), File(u"same.TXT", 40, kNoon + kSecond),
    File(u"same-bytes-differ.bin", 50, kNoon), Folder(u"file-or-folder"), Folder(u"Both-Folder")};

TEST(FolderCompare, SizeAndTimeSelectsWhatTheOtherSideLacksOrHasOlder) {
  const CompareOutcome outcome = Compare({}, kLeft, kRight);
  EXPECT_EQ(Sorted(outcome.leftSelected),
            Sorted({u"only-left.txt", u"newer-left.txt", u"file-or-folder", u"only-left-folder"}));
  EXPECT_EQ(Sorted(outcome.rightSelected), Sorted({u"only-right.txt", u"newer-right.txt", u"file-or-folder"}));
  // Same size and time within 2 seconds is identical without reading a byte.
  EXPECT_EQ(outcome.identical, 2);
  EXPECT_EQ(CompareMessage(outcome), u"Left: 1 newer, 3 only here. Right: 1 newer, 2 only here. 2 identical.");
}

TEST(FolderCompare, ByContentReadsOnlyEqualSizesAndEqualBytesWinOverTimes) {
  CompareOptions options;
  options.byContent = true;
  std::vector<Text> read;
  const CompareOutcome outcome = CompareEntryLists(options, kLeft, kRight, [&](const CompareEntry& l, const CompareEntry&) {
    read.push_back(l.name);
    return l.name == u"same-bytes-differ.bin" ? ContentVerdict::Different : ContentVerdict::Equal;
  });
  // newer-left differs in size: decided by time without reading.
  EXPECT_EQ(Sorted(read), Sorted({u"newer-right.txt", u"Same.txt", u"same-bytes-differ.bin"}));
  // Equal bytes are identical even a minute apart; different bytes at equal times select both.
  EXPECT_EQ(Sorted(outcome.leftSelected), Sorted({u"only-left.txt", u"newer-left.txt", u"same-bytes-differ.bin",
                                                  u"file-or-folder", u"only-left-folder"}));
  EXPECT_EQ(Sorted(outcome.rightSelected),
            Sorted({u"only-right.txt", u"same-bytes-differ.bin", u"file-or-folder"}));
  EXPECT_EQ(outcome.identical, 2);
  EXPECT_EQ(CompareMessage(outcome),
            u"Left: 1 newer, 3 only here, 1 different. Right: 2 only here, 1 different. 2 identical.");
  // Different bytes and different times: only the newer one.
  const CompareOutcome newer = Compare(options, {File(u"a", 5, kNoon + 9 * kSecond)}, {File(u"a", 5, kNoon)},
                                       ContentVerdict::Different);
  EXPECT_EQ(newer.leftSelected, std::vector<Text>{u"a"});
  EXPECT_TRUE(newer.rightSelected.empty());
}

TEST(FolderCompare, TwoSecondWindowIsInclusiveAndCanBeSwitchedOff) {
  const std::vector<CompareEntry> right = {File(u"a", 1, kNoon)};
  CompareOptions window;
  EXPECT_EQ(Compare(window, {File(u"a", 1, kNoon + 2 * kSecond)}, right).identical, 1);
  EXPECT_EQ(Compare(window, {File(u"a", 1, kNoon - 2 * kSecond)}, right).identical, 1);
  EXPECT_EQ(Compare(window, {File(u"a", 1, kNoon + 2 * kSecond + 1)}, right).left.newer, 1);
  EXPECT_EQ(Compare(window, {File(u"a", 1, kNoon - 2 * kSecond - 1)}, right).right.newer, 1);
  CompareOptions exact;
  exact.ignoreTwoSeconds = false;
  EXPECT_EQ(Compare(exact, {File(u"a", 1, kNoon + 1)}, right).left.newer, 1);
  EXPECT_EQ(Compare(exact, {File(u"a", 1, kNoon)}, right).identical, 1);
  // Equal times, different sizes: neither is newer, both are selected.
  const CompareOutcome sizes = Compare(window, {File(u"a", 2, kNoon)}, right);
  EXPECT_EQ(sizes.left.different + sizes.right.different, 2);
  EXPECT_EQ(sizes.identical, 0);
}

TEST(FolderCompare, SameFoldersAndEmptySidesAndMessages) {
  EXPECT_EQ(CompareMessage(Compare({}, {File(u"x", 1, kNoon), Folder(u"d")}, {File(u"X", 1, kNoon), Folder(u"D")})),
            u"The folders hold the same files.");
  EXPECT_EQ(CompareMessage(Compare({}, {}, {})), u"The folders hold the same files.");
  EXPECT_EQ(CompareMessage(Compare({}, {}, {File(u"x", 1, kNoon)})), u"Right: 1 only here.");
}

TEST(FolderCompare, NamesMatchAsWindowsFoldsThem) {
  // Latin-1, Latin Extended-A, Greek with final sigma, Cyrillic, Armenian, full-width.
  const std::pair<const char16_t*, const char16_t*> same[] = {
      {u"\u00e9t\u00e9.txt", u"\u00c9T\u00c9.TXT"}, {u"\u00ff", u"\u0178"},         {u"\u0142\u00f3d\u017a", u"\u0141\u00d3D\u0179"},
      {u"\u03c3\u03bf\u03c2", u"\u03a3\u039f\u03a3"},  {u"\u03ac", u"\u0386"},          {u"\u0451\u0436", u"\u0401\u0416"},
      {u"\u0491", u"\u0490"},                         {u"\u0561", u"\u0531"},          {u"\uff41", u"\uff21"}};
  for (const auto& [a, b] : same) EXPECT_TRUE(SameFileName(a, b)) << ToUtf8(a);
  // Not folded by Windows: sharp s to "SS", and letters that only look alike.
  EXPECT_FALSE(SameFileName(u"stra\u00dfe", u"STRASSE"));
  EXPECT_FALSE(SameFileName(u"\u00f7", u"\u00d7"));
  EXPECT_FALSE(SameFileName(u"a", u"\u0430"));
  EXPECT_FALSE(SameFileName(u"ab", u"abc"));
  const CompareOutcome outcome =
      Compare({}, {File(u"\u0416\u00c9.txt", 3, kNoon)}, {File(u"\u0436\u00e9.TXT", 3, kNoon)});
  EXPECT_EQ(outcome.identical, 1);
}

TEST(FolderCompare, ListsSnapshotByLastComponentAndSelectionIsSetExactly) {
  Panel panel = AttachedPanel();
  ItemList list;
  MakeUpEntry(panel, list);
  Append(list, NewItem(u"C:\\one\\A.txt"));
  PanelItem* folder = NewItem(u"C:\\two\\sub");
  folder->attributes = platform::kAttributeDirectory;
  folder->size = kFolderSize;
  Append(list, folder);
  const auto entries = CompareEntriesOf(list);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, u"A.txt");
  EXPECT_TRUE(entries[1].folder);

  At(list, 1).selected = 1;
  RecountSelection(list, panel);
  SelectNamed(panel, list, {u"SUB"});
  EXPECT_FALSE(At(list, 1).selected);
  EXPECT_TRUE(At(list, 2).selected);
  EXPECT_EQ(panel.selectedFiles, 0);
  EXPECT_EQ(panel.selectedFolders, 1);
}

void WriteBytes(const std::filesystem::path& path, size_t size, size_t differentAt) {
  std::string bytes(size, '\x5a');
  if (differentAt < size) bytes[differentAt] = 'b';
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FolderCompare, FileContentsInBlocksToTheLastByte) {
  test::TempFolder folder;
  const size_t size = kContentCompareBlock * 2 + 17;  // a block boundary and a short last block
  WriteBytes(folder.Path() / "a", size, size);
  WriteBytes(folder.Path() / "same", size, size);
  WriteBytes(folder.Path() / "last", size, size - 1);
  WriteBytes(folder.Path() / "first", size, 0);
  WriteBytes(folder.Path() / "short", size - 1, size);
  const auto path = [&](const char* name) { return FromUtf8((folder.Path() / name).string()); };
  std::atomic<bool> stop{false};
  std::atomic<int64_t> done{0};
  ContentBuffers buffers;
  EXPECT_EQ(CompareFileContents(path("a"), path("same"), stop, &done, buffers), ContentVerdict::Equal);
  EXPECT_EQ(done.load(), static_cast<int64_t>(size));
  EXPECT_EQ(CompareFileContents(path("a"), path("last"), stop, nullptr, buffers), ContentVerdict::Different);
  EXPECT_EQ(CompareFileContents(path("a"), path("first"), stop, nullptr, buffers), ContentVerdict::Different);
  EXPECT_EQ(CompareFileContents(path("a"), path("short"), stop, nullptr, buffers), ContentVerdict::Different);
  EXPECT_EQ(CompareFileContents(path("a"), path("missing"), stop, nullptr, buffers), ContentVerdict::Different);
  stop = true;
  EXPECT_EQ(CompareFileContents(path("a"), path("same"), stop, nullptr, buffers), ContentVerdict::NotRead);
}

TEST(FolderSizes, WalkCountsEverythingBelowSkipsLinksAndUnreadableFolders) {
  test::TempFolder folder;
  folder.MakeFolder("top/nested/deeper");
  folder.MakeFile("top/a", 1000);
  folder.MakeFile("top/nested/b", 200);
  folder.MakeFile("top/nested/deeper/c", 30);
  folder.MakeFolder("top/locked");
  folder.MakeFile("top/locked/hidden", 5000);
  folder.MakeFolder("outside");
  folder.MakeFile("outside/big", 70000);
  // A link back to the measured folder's parent and one to a folder outside it: neither is
  // entered, or the walk would loop or count what is not below.
  std::filesystem::create_directory_symlink(folder.Path(), folder.Path() / "top/nested/loop");
  std::filesystem::create_directory_symlink(folder.Path() / "outside", folder.Path() / "top/elsewhere");
  std::filesystem::permissions(folder.Path() / "top/locked", std::filesystem::perms::none);
  const bool lockHolds = access((folder.Path() / "top/locked").c_str(), R_OK) != 0;  // root reads anyway

  std::atomic<bool> stop{false};
  const FolderSize size = MeasureFolder(FromUtf8((folder.Path() / "top").string()), stop);
  std::filesystem::permissions(folder.Path() / "top/locked", std::filesystem::perms::owner_all);
  EXPECT_EQ(size.bytes, lockHolds ? 1230 : 6230);
  EXPECT_EQ(size.files, lockHolds ? 3 : 4);
  EXPECT_EQ(size.folders, 5);  // nested, deeper, locked, and the two links as entries
  EXPECT_EQ(size.unreadable, lockHolds ? 1 : 0);
  EXPECT_FALSE(size.stopped);

  // A measured folder that cannot be listed at all has no size, rather than a size of 0.
  platform::portable::FailNextFindFirst(platform::kErrorAccessDenied);
  const FolderSize refused = MeasureFolder(FromUtf8((folder.Path() / "top").string()), stop);
  EXPECT_FALSE(refused.opened);
  EXPECT_EQ(refused.unreadable, 1);
  EXPECT_TRUE(size.opened);

  stop = true;
  EXPECT_TRUE(MeasureFolder(FromUtf8((folder.Path() / "top").string()), stop).stopped);
  EXPECT_EQ(MeasureFolder(FromUtf8((folder.Path() / "top/nested/deeper/").string()), std::atomic<bool>{false}).bytes, 30);
}

TEST(FolderSizes, MeasuredSizesShowInColumnTotalsSelectionAndSort) {
  Panel panel = AttachedPanel();
  ItemList list;
  MakeUpEntry(panel, list);
  const auto addFolder = [&](const char16_t* name) {
    PanelItem* item = NewItem(name);
    item->attributes = platform::kAttributeDirectory;
    item->size = kFolderSize;
    Append(list, item);
    return item;
  };
  PanelItem* big = addFolder(u"big");
  PanelItem* empty = addFolder(u"empty");
  PanelItem* unmeasured = addFolder(u"later");
  PanelItem* file = NewItem(u"file.txt");
  file->size = 500;
  Append(list, file);
  big->selected = 1;
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.totalBytes, 500);
  EXPECT_EQ(InfoText(*big).view(), u"  Folder");

  SetFolderSize(panel, *big, 12'345'678);
  SetFolderSize(panel, *empty, 0);
  EXPECT_EQ(InfoText(*big).view(), u"    12 M");
  EXPECT_EQ(InfoText(*empty).view(), u"       0");
  EXPECT_EQ(InfoText(*unmeasured).view(), u"  Folder");
  EXPECT_EQ(panel.totalBytes, 12'345'678 + 500);
  EXPECT_EQ(panel.selectedBytes, 12'345'678);
  // A recount from scratch agrees with the running counts.
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.totalBytes, 12'345'678 + 500);
  EXPECT_EQ(panel.selectedBytes, 12'345'678);

  panel.sortMode = kSortSize;
  SortItems(list, panel);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"later", u"empty", u"file.txt", u"big"}));
}

}  // namespace
}  // namespace nrv
