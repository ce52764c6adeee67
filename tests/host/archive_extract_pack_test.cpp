// What extraction takes and where it writes, the names packing proposes, and the texts of the
// error log.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "archive/error_log.h"
#include "archive/extract_selection.h"
#include "archive/pack_names.h"
#include "support/name_rule_cases.h"

namespace nrv {
namespace {

std::vector<uint32_t> Collect(const std::vector<ExtractEntry>& entries, TextView inside,
                              const std::vector<Text>& paths, bool* complete = nullptr) {
  std::vector<uint32_t> indices;
  const bool all = CollectExtractIndices(entries, inside, static_cast<uint32_t>(paths.size()),
                                         [&](uint32_t i) { return paths[i]; }, indices);
  if (complete) *complete = all;
  return indices;
}

const std::vector<Text> kPaths = {
    u"doc",           u"doc\\a.txt", u"docs",  u"docs\\b.txt", u"DOC\\c.txt", u"readme",
    u"Readme.txt",    u"sub\\doc",   u"sub\\doc\\d.txt", u"sub\\docs\\e.txt", u"readme.txt",
};

TEST(ExtractIndices, AFolderTakesOnlyWhatIsBelowItNotItsLongerSiblings) {
  // doc takes itself, its items and (case ignored) DOC\c.txt; never docs or docs\b.txt.
  EXPECT_EQ(Collect({{u"doc", true}}, u"", kPaths), (std::vector<uint32_t>{0, 1, 4}));
  // Inside sub\ the same rule holds with the folder's path in front.
  EXPECT_EQ(Collect({{u"doc", true}}, u"sub\\", kPaths), (std::vector<uint32_t>{7, 8}));
}

TEST(ExtractIndices, AFileTakesItsExactPathOnlyWithCaseCounting) {
  EXPECT_EQ(Collect({{u"readme", false}}, u"", kPaths), (std::vector<uint32_t>{5}));
  EXPECT_EQ(Collect({{u"readme.txt", false}}, u"", kPaths), (std::vector<uint32_t>{10}));
  EXPECT_TRUE(Collect({{u"README.TXT", false}}, u"", kPaths).empty());
}

TEST(ExtractIndices, EachIndexOnceAscendingWhateverTheEntriesOrder) {
  const std::vector<ExtractEntry> entries = {{u"docs", true}, {u"doc", true}, {u"doc\\a.txt", false}};
  EXPECT_EQ(Collect(entries, u"", kPaths), (std::vector<uint32_t>{0, 1, 2, 3, 4}));
}

TEST(ExtractIndices, StopsAtTheLimitAndSaysSo) {
  std::vector<Text> many(kMaxExtractIndices + 5, Text(u"f\\x"));
  bool complete = true;
  EXPECT_EQ(Collect({{u"f", true}}, u"", many, &complete).size(), kMaxExtractIndices);
  EXPECT_FALSE(complete);
  many.resize(kMaxExtractIndices);
  EXPECT_EQ(Collect({{u"f", true}}, u"", many, &complete).size(), kMaxExtractIndices);
  EXPECT_TRUE(complete);
}

Text Relative(TextView itemPath, size_t insideLength = 0) {
  const OutputPath output = OutputRelativePath(itemPath, insideLength);
  EXPECT_EQ(output.fault, NameFault::None) << ToUtf8(itemPath);
  return output.relative;
}

TEST(ExtractOutput, ItemsAreWrittenRelativeToTheFolderShownAndNeverOutsideTheDestination) {
  // docs chosen inside a\ lands as docs\..., not a\docs\...
  EXPECT_EQ(Relative(u"a\\docs\\b.txt", 2), u"docs\\b.txt");
  EXPECT_EQ(Relative(u"a/docs/b.txt", 2), u"docs\\b.txt");
  EXPECT_EQ(Relative(u""), u"extract.tmp");
  EXPECT_EQ(Relative(u"..\\..\\evil.txt"), u"evil.txt");
  EXPECT_EQ(Relative(u"\\abs\\x"), u"abs\\x");
  EXPECT_EQ(Relative(u"C:\\windows\\x"), u"windows\\x");
  EXPECT_EQ(Relative(u"c:relative.txt"), u"relative.txt");
  EXPECT_EQ(Relative(u"a\\.\\b\\.."), u"a\\b");
  EXPECT_EQ(Relative(u"./a.txt"), u"a.txt");  // an archive made from "."
  EXPECT_EQ(Relative(u"//server/share/x"), u"server\\share\\x");
  EXPECT_EQ(Relative(u".."), u"extract.tmp");
}

// Every hostile name, as a file or as a folder on the way to one: a name the rule refuses
// keeps the item from being written; one it splits at its separators stays below the
// destination with every part a plain name.
TEST(ExtractOutput, EachPartLeftMustBeOneFileName) {
  for (const test::NameRuleCase& hostile : test::HostileNameCases()) {
    // Not in front, where a drive is a root and dropped.
    for (const Text& itemPath : {u"dir/" + hostile.name, u"dir\\" + hostile.name + u"\\x.txt"}) {
      const OutputPath output = OutputRelativePath(itemPath, 0);
      SCOPED_TRACE(ToUtf8(itemPath));
      switch (hostile.fault) {
        case NameFault::Empty:
        case NameFault::DotName:
        case NameFault::Separator:
          EXPECT_EQ(output.fault, NameFault::None);
          for (size_t start = 0; start <= output.relative.size();) {
            const size_t end = std::min(output.relative.find(u'\\', start), output.relative.size());
            EXPECT_TRUE(IsOneFileName(TextView(output.relative).substr(start, end - start)));
            start = end + 1;
          }
          break;
        default: EXPECT_EQ(output.fault, hostile.fault);
      }
    }
  }
  for (const Text& name : test::OrdinaryNames()) EXPECT_EQ(Relative(u"dir/" + name), u"dir\\" + name);
}

TEST(ExtractOutput, TemporaryNamesAreHiddenOfFixedLengthAndDiffer) {
  const Text name = TemporaryOutputName(0x1234abcd);
  EXPECT_EQ(name, u".nrv-1234abcd.tmp");
  EXPECT_EQ(name.size(), kTemporaryOutputNameLength);
  EXPECT_TRUE(IsOneFileName(name));
  EXPECT_NE(TemporaryOutputName(0), TemporaryOutputName(1u << 31));
}

TEST(PackNames, ProposalsFollowSelectionOrCursor) {
  EXPECT_EQ(ArchiveProposal(u"C:\\data\\reports", 3, u"ignored"), u"reports.7z");
  EXPECT_EQ(ArchiveProposal(u"C:\\data\\reports\\", 1, u"x"), u"reports.7z");
  EXPECT_EQ(ArchiveProposal(u"C:\\data\\reports", 0, u"notes.txt"), u"notes.txt.7z");
  EXPECT_EQ(ArchiveProposal(u"C:\\", 2, u"x"), u"C.7z");
  EXPECT_EQ(ArchiveProposal(u"C:\\data", 0, u"\u0416\u0443\u043a"), u"\u0416\u0443\u043a.7z");
}

TEST(PackNames, TemporaryNamesStayBesideTheArchiveAndDiffer) {
  const Text first = TemporaryArchivePath(u"C:\\out\\a.7z", 1);
  EXPECT_EQ(first.rfind(u"C:\\out\\a.7z", 0), 0u);
  EXPECT_EQ(first.find(u'\\', 7), Text::npos);
  EXPECT_NE(first, TemporaryArchivePath(u"C:\\out\\a.7z", 2));
  EXPECT_FALSE(ScannedPathTooLong(Text(100, u'f'), Text(158, u'n')));
  EXPECT_TRUE(ScannedPathTooLong(Text(100, u'f'), Text(159, u'n')));
}

TEST(ErrorLogTexts, ViewerLinesQuestionAndCaption) {
  ErrorLog log;
  AddLogEntry(log, u"CRC Failed", 0);
  AddLogEntry(log, u"Error extracting files", static_cast<int32_t>(0x80004005u));
  AddLogEntry(log, Text(2000, u'x'), 5);
  EXPECT_EQ(log.entries[2].text.size(), kMaxLogText);
  log.entries.pop_back();
  EXPECT_EQ(LogViewerText(log), u"1. CRC Failed \tError: 0\r\n2. Error extracting files \tError: -2147467259\r\n");
  EXPECT_EQ(ErrorsQuestionText(2, u"Extracting"), u"2 errors detected during Extracting. Show log?");
  EXPECT_EQ(ArchiveProgressCaption(u"Compressing", 1, 4), u"Compressing (25%)");
  EXPECT_EQ(ArchivePercent(5, 0), 100);  // a total of 0 counts as 1
  EXPECT_EQ(ArchivePercent(0, 0), 0);
  EXPECT_NEAR(ArchivePercent(UINT64_MAX / 2, UINT64_MAX), 50, 1);  // no overflow on huge sizes
  EXPECT_EQ(ArchivePercent(7, 3), 100);
}

}  // namespace
}  // namespace nrv
