// Names and numbers from outside the program: a server's listing and another program's drop.
// Every hostile name of the shared table is kept out and named in the report, every ordinary
// one arrives; a listing is bounded; sizes and totals never wrap round.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/formatting.h"
#include "core/listing.h"
#include "core/refused_names.h"
#include "core/selection.h"
#include "fileops/drop_list.h"
#include "ftp/machine_listing.h"
#include "ftp/remote_listing.h"
#include "support/item_names.h"
#include "support/name_rule_cases.h"

namespace nrv {
namespace {

using test::Names;

platform::FindData FileEntry(TextView name, uint64_t size = 1) {
  platform::FindData data;
  data.name = Text(name);
  data.attributes = platform::kAttributeNormal;
  data.sizeHigh = static_cast<uint32_t>(size >> 32);
  data.sizeLow = static_cast<uint32_t>(size);
  return data;
}

bool Contains(TextView text, TextView part) { return text.find(part) != TextView::npos; }

struct Listed {
  Panel panel = AttachedPanel();
  ItemList list;
  RemoteListing listing;
  Listed() {
    panel.sortMode = kSortUnsorted;
    BeginRemoteListing(panel, list, u"/");
  }
  void Add(const platform::FindData& data) { AddRemoteEntry(list, data, listing); }
  std::vector<Text> End() {
    EndRemoteListing(panel, list);
    return Names(list);
  }
};

// The records the Internet library's own listing gives: every name of the table can come this way.
TEST(ListingNames, EveryHostileNameIsRefusedAndNamedEveryOrdinaryOneKept) {
  Listed listed;
  size_t hostile = 0;
  for (const auto& [name, fault] : test::HostileNameCases()) {
    listed.Add(FileEntry(name));
    if (fault != NameFault::DotName) ++hostile;  // "." and ".." are the folder's own, dropped silently
  }
  const std::vector<Text> ordinary = test::OrdinaryNames();
  for (const Text& name : ordinary) listed.Add(FileEntry(name));
  EXPECT_EQ(listed.End(), ordinary);
  EXPECT_EQ(listed.listing.refused.count, hostile);
  EXPECT_EQ(listed.panel.fileCount, static_cast<int32_t>(ordinary.size()));

  const Text report = ListingReportText(listed.listing, u"127.0.0.1/pub");
  EXPECT_TRUE(Contains(report, u"127.0.0.1/pub")) << ToUtf8(report);
  // The first ones by name with their reason, the rest counted.
  EXPECT_TRUE(Contains(report, u"..\\..\\x.bat: name holds a path separator\n"));
  EXPECT_TRUE(Contains(report, u"sub\\deep.txt: name holds a path separator\n"));
  EXPECT_TRUE(Contains(report, u"... and " + Ascii(std::to_string(hostile - kNamedRefusals)) + u" more"));
  EXPECT_FALSE(Contains(report, u"pipe|.txt"));
  EXPECT_TRUE(ListingReportText(RemoteListing{}, u"h/").empty());
}

// The machine-readable listing: every table name a line can carry (not a line break) through
// the whole text, then the same door into the panel.
TEST(ListingNames, MachineReadableLinesGoThroughTheSameRule) {
  std::string text = "type=cdir; /pub\r\ntype=pdir; ..\r\n";
  size_t hostile = 0;
  for (const auto& [name, fault] : test::HostileNameCases()) {
    if (name.find_first_of(u"\r\n") != Text::npos) continue;
    text += "type=file;size=5; " + ToUtf8(name) + "\r\n";
    if (fault != NameFault::DotName && fault != NameFault::Empty) ++hostile;
  }
  for (const Text& name : test::OrdinaryNames()) text += "type=file;size=5; " + ToUtf8(name) + "\r\n";
  std::vector<MachineEntry> entries;
  EXPECT_FALSE(ParseMachineListing(text, kMaxListingEntries, entries));
  Listed listed;
  for (const MachineEntry& entry : entries) listed.Add(ToFindData(entry, FromUtf8(entry.name)));
  EXPECT_EQ(listed.End(), test::OrdinaryNames());
  EXPECT_EQ(listed.listing.refused.count, hostile);
  EXPECT_EQ(listed.panel.totalBytes, 5 * static_cast<int64_t>(test::OrdinaryNames().size()));
}

TEST(ListingLimits, EntriesStopAtTheLimitAndTextAtItsLastWholeLine) {
  Listed listed;
  listed.listing.entries = kMaxListingEntries - 1;
  EXPECT_TRUE(AddRemoteEntry(listed.list, FileEntry(u"last.txt"), listed.listing));
  EXPECT_EQ(listed.listing.cut, ListingCut::None);
  EXPECT_FALSE(AddRemoteEntry(listed.list, FileEntry(u"one-too-many.txt"), listed.listing));
  EXPECT_EQ(listed.listing.cut, ListingCut::Entries);
  EXPECT_EQ(listed.End(), std::vector<Text>{u"last.txt"});
  EXPECT_TRUE(Contains(ListingReportText(listed.listing, u"h/"), u"cut at 1 000 000 entries"));
  // Refused names count towards the limit: a flood of bad names is bounded too.
  RemoteListing bad;
  bad.entries = kMaxListingEntries;
  EXPECT_FALSE(AddRemoteEntry(listed.list, FileEntry(u"x\\y"), bad));

  std::vector<MachineEntry> entries;
  const std::string lines = "type=file; a\ntype=file; b\ntype=cdir; .\ntype=file; c\n";
  EXPECT_FALSE(ParseMachineListing(lines, 3, entries));
  EXPECT_EQ(entries.size(), 3u);
  entries.clear();
  EXPECT_TRUE(ParseMachineListing(lines, 2, entries));
  EXPECT_EQ(entries.size(), 2u);

  std::string text;
  EXPECT_TRUE(AppendListingText(text, "type=file; a\ntype=fi", 30));
  EXPECT_TRUE(AppendListingText(text, "le; b\n", 30));
  EXPECT_EQ(text.size(), 26u);
  EXPECT_FALSE(AppendListingText(text, "type=file; c\n", 30));
  EXPECT_EQ(text, "type=file; a\ntype=file; b\n");  // the half line is not a name
  RemoteListing cut;
  cut.cut = ListingCut::Text;
  EXPECT_TRUE(Contains(ListingReportText(cut, u"h/"), u"256 MiB"));
}

TEST(ListingSizes, SizesBeyondASigned64BitCountAreRefusedTheLargestOneKept) {
  const auto size = [](const char* fact) { return ParseMachineLine(std::string("type=file;size=") + fact + "; f")->size; };
  EXPECT_EQ(size("9223372036854775807"), 9223372036854775807u);
  EXPECT_EQ(size("00000000000000000000000042"), 42u);
  EXPECT_EQ(size("18446744073709551616"), UINT64_MAX);  // beyond 64 bits: the largest value
  EXPECT_EQ(size("12x"), 0u);                           // not a number: no size

  Listed listed;
  listed.Add(ToFindData(*ParseMachineLine("type=file;size=9223372036854775807; max"), u"max"));
  listed.Add(ToFindData(*ParseMachineLine("type=file;size=9223372036854775808; over"), u"over"));
  listed.Add(ToFindData(*ParseMachineLine("type=file;size=99999999999999999999999; far"), u"far"));
  platform::FindData folder = FileEntry(u"dir", UINT64_MAX);
  folder.attributes = platform::kAttributeDirectory;  // a folder's size is never read
  listed.Add(folder);
  EXPECT_EQ(listed.End(), (std::vector<Text>{u"max", u"dir"}));
  EXPECT_EQ(listed.listing.refused.count, 2u);
  EXPECT_TRUE(Contains(RefusedNamesText(listed.listing.refused), u"over: size is beyond any file\n"));
  EXPECT_EQ(listed.panel.totalBytes, INT64_MAX);
}

TEST(Totals, SumsAndSelectionsHoldAtTheLimitAndRecover) {
  Listed listed;
  for (const char16_t* name : {u"a", u"b", u"c"}) listed.Add(FileEntry(name, uint64_t{INT64_MAX} / 2 + 1));
  listed.Add(FileEntry(u"small", 10));
  listed.End();
  Panel& panel = listed.panel;
  EXPECT_EQ(panel.totalBytes, INT64_MAX);
  EXPECT_TRUE(Contains(TotalsLine(panel).view(), u"(9 223 372 036 854 775 807) 4 files"));

  SelectItem(panel, At(listed.list, 0), 1);
  SelectItem(panel, At(listed.list, 1), 1);
  EXPECT_EQ(panel.selectedBytes, INT64_MAX);
  // Once at the limit one item less cannot say what is left; it stays there, never below.
  SelectItem(panel, At(listed.list, 1), 0);
  EXPECT_EQ(panel.selectedBytes, INT64_MAX);
  SelectItem(panel, At(listed.list, 0), 0);
  EXPECT_EQ(panel.selectedBytes, 0);  // nothing selected is nothing

  SetAll(listed.list, panel, 1);
  EXPECT_EQ(panel.selectedBytes, INT64_MAX);
  InvertSelection(listed.list, panel);
  EXPECT_EQ(panel.selectedBytes, 0);
  SelectItem(panel, At(listed.list, 3), 1);
  SelectItem(panel, At(listed.list, 0), 1);
  EXPECT_EQ(panel.selectedBytes, int64_t{INT64_MAX} / 2 + 11);
  ApplyMaskSelection(panel, listed.list, u"a*", false);
  EXPECT_EQ(panel.selectedBytes, 10);

  EXPECT_EQ(AddSize(INT64_MAX - 1, 5), INT64_MAX);
  EXPECT_EQ(AddSize(INT64_MIN + 1, -5), INT64_MIN);
  EXPECT_EQ(AddSize(7, -3), 4);
}

std::vector<Text> Accepted(const std::vector<Text>& paths, RefusedNames& refused) {
  return AcceptedDropPaths(paths, refused);
}

TEST(DropPaths, TheLastPartOfEachPathPassesTheRuleTheRestOfTheDropGoesOn) {
  std::vector<Text> paths;
  std::vector<Text> expected;
  size_t refusals = 0;
  for (const auto& [name, fault] : test::HostileNameCases()) {
    if (name.empty()) continue;  // "C:\in\" is the folder "in" with its closing backslash
    const Text path = u"C:\\in\\" + name;
    paths.push_back(path);
    // A name with backslashes is a longer path here; its own last part decides.
    const Text last = path.substr(path.find_last_of(u'\\') + 1);
    if (fault != NameFault::Separator) {
      EXPECT_FALSE(IsOneFileName(last)) << ToUtf8(name);
    }
    if (IsOneFileName(last))
      expected.push_back(path);
    else
      ++refusals;
  }
  for (const Text& name : test::OrdinaryNames()) {
    paths.push_back(u"D:\\from\\" + name);
    expected.push_back(paths.back());
  }
  RefusedNames refused;
  EXPECT_EQ(Accepted(paths, refused), expected);
  EXPECT_EQ(refused.count, refusals);
  EXPECT_TRUE(Contains(refused.lines, u"C:\\in\\what?.txt: name holds a character Windows forbids\n"));
}

TEST(DropPaths, OnlyFullPathsOfADriveOrAShare) {
  RefusedNames refused;
  const std::vector<Text> kept = {u"C:\\a.txt", u"z:\\deep\\folder\\", u"\\\\server\\share\\b.txt", u"\\\\server\\share"};
  EXPECT_EQ(Accepted(kept, refused), kept);
  EXPECT_EQ(refused.count, 0u);
  for (const char16_t* path : {u"a.txt", u"in\\a.txt", u"\\a.txt", u"C:a.txt", u"C:\\", u"\\\\?\\C:\\a.txt",
                               u"\\\\.\\CON", u"\\\\server", u"\\\\\\x", u"C:/in/a.txt", u"1:\\a"}) {
    RefusedNames one;
    EXPECT_TRUE(Accepted({path}, one).empty()) << ToUtf8(path);
    EXPECT_EQ(one.count, 1u) << ToUtf8(path);
  }
}

TEST(RefusedNames, ReportLinesStayOneLineEachAndShort) {
  RefusedNames refused;
  NoteRefused(refused, Text(u"evil\r\nsecond line.txt"), u"reason");
  NoteRefused(refused, Text(300, u'x'), u"long");
  EXPECT_EQ(refused.count, 2u);
  const Text text = RefusedNamesText(refused);
  EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 2);
  EXPECT_TRUE(Contains(text, u"evil\u240D\u240Asecond line.txt: reason\n"));
  EXPECT_LT(text.size(), 150u);
}

}  // namespace
}  // namespace nrv
