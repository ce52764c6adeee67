// Replace all over a plain text standing in for the control, the go-to rule, the status line,
// progress reports and the save plan.
#include <gtest/gtest.h>

#include <string>

#include "editor/editor_search.h"
#include "editor/editor_status.h"
#include "editor/go_to_line.h"
#include "editor/save_plan.h"

namespace nrv {
namespace {

struct PlainText {
  Text text;
  int replacements = 0;
};

TextMatch FindIn(void* context, const EditorSearch& search, int64_t from) {
  const Text& text = static_cast<PlainText*>(context)->text;
  const size_t at = text.find(search.text, static_cast<size_t>(from));
  if (at == Text::npos) return {};
  return {static_cast<int64_t>(at), static_cast<int64_t>(at + search.text.size())};
}

void ReplaceIn(void* context, TextMatch match, TextView replacement) {
  auto* plain = static_cast<PlainText*>(context);
  plain->text.replace(static_cast<size_t>(match.start), static_cast<size_t>(match.end - match.start), replacement);
  ++plain->replacements;
}

// As the dialog does it: a first Find selects a match, then Replace all runs.
int64_t FindThenReplaceAll(PlainText& plain, TextView what, TextView by) {
  EditorSearch search;
  search.text = Text(what);
  const SearchTarget target{&plain, FindIn, ReplaceIn};
  const TextMatch first = FindIn(&plain, search, 0);
  if (first.start < 0) return 0;
  NoteMatch(search, first);
  const int64_t count = ReplaceAll(search, target, first, by);
  EXPECT_FALSE(search.found);
  return count;
}

TEST(EditorReplace, ReplaceAllWithTheSearchTextInsideEnds) {
  PlainText plain;
  std::u16string expected;
  for (int i = 0; i < 1000; ++i) {
    plain.text += u"banana\r\n";
    expected += u"baanaanaa\r\n";
  }
  EXPECT_EQ(FindThenReplaceAll(plain, u"a", u"aa"), 3000);
  EXPECT_EQ(plain.text, expected);
}

TEST(EditorReplace, ReplaceAllShrinkingAndEmptyReplacements) {
  PlainText shrink{u"aaaa aaaa"};
  EXPECT_EQ(FindThenReplaceAll(shrink, u"aa", u"a"), 4);
  EXPECT_EQ(shrink.text, u"aa aa");
  PlainText erase{u"x-y-z-"};
  EXPECT_EQ(FindThenReplaceAll(erase, u"-", u""), 3);
  EXPECT_EQ(erase.text, u"xyz");
  // The match selected first need not be the first in the text: earlier ones stay.
  PlainText later{u"ab ab ab"};
  EditorSearch search;
  search.text = u"ab";
  const TextMatch second = FindIn(&later, search, 1);
  NoteMatch(search, second);
  EXPECT_EQ(ReplaceAll(search, {&later, FindIn, ReplaceIn}, second, u"X"), 2);
  EXPECT_EQ(later.text, u"ab X X");
}

TEST(EditorReplace, FindNextAfterReplaceContinuesBehindTheReplacement) {
  PlainText plain{u"cat cat"};
  EditorSearch search;
  search.text = u"cat";
  const SearchTarget target{&plain, FindIn, ReplaceIn};
  const TextMatch first = FindIn(&plain, search, search.position);
  NoteMatch(search, first);
  EXPECT_TRUE(search.found);
  ReplaceSelected(search, target, first, u"a cat");
  EXPECT_FALSE(search.found);
  EXPECT_EQ(plain.text, u"a cat cat");
  const TextMatch next = FindIn(&plain, search, search.position);
  EXPECT_EQ(next.start, 6);
}

TEST(EditorGoTo, NumbersAndRange) {
  EXPECT_EQ(GoToLabel(1000), u"Enter line number (1 - 1000):");
  EXPECT_EQ(ParseLineNumber(u"500"), 500);
  EXPECT_EQ(ParseLineNumber(u"12ab"), 12);
  EXPECT_EQ(ParseLineNumber(u"x12"), 0);
  EXPECT_EQ(ParseLineNumber(u""), 0);
  EXPECT_EQ(ParseLineNumber(u"99999999999999999999"), 0);
  EXPECT_EQ(GoToTarget(500, 1000), 499);
  EXPECT_EQ(GoToTarget(1, 1000), 0);
  EXPECT_EQ(GoToTarget(0, 1000), -1);
  EXPECT_EQ(GoToTarget(1001, 1000), -1);
}

TEST(EditorStatus, RowHasNameFiguresAndModifiedMark) {
  EditorFigures figures;
  figures.caretLine = 7;
  figures.lineCount = 120;
  figures.visualColumn = 2;
  figures.charColumn = 4;
  const Text right = u" Unicode   Line  7/120  Col 3   Ch 4    ";
  const Text row = EditorStatusRow(u"a.txt", EditorFormat::Utf16, figures, false, 60);
  ASSERT_EQ(row.size(), 60u);
  EXPECT_EQ(row.substr(0, 6), u"a.txt ");
  EXPECT_EQ(row.substr(60 - right.size()), right);
  const Text modified = EditorStatusRow(u"a.txt", EditorFormat::Utf16, figures, true, 60);
  EXPECT_EQ(modified.substr(60 - right.size() - 3), u" * " + right);
  figures.lineCount = -1;
  EXPECT_EQ(EditorStatusRow(u"b", EditorFormat::Rtf, figures, false, 0), u"b  RTF   Line  7 Col 3   Ch 4    ");
  EXPECT_EQ(EditorCaption(u"notes.txt"), u"Edit notes.txt");
}

TEST(EditorStatus, ProgressAtMostOncePerTwoMebibytes) {
  StreamProgress progress;
  progress.size = 20 * 1048576;
  int reports = 0;
  for (int block = 0; block < 20 * 16; ++block) reports += AdvanceProgress(progress, 65536) ? 1 : 0;
  EXPECT_EQ(reports, 9);  // each report needs more than 2 MiB since the last
  EXPECT_EQ(ProgressPercent(progress), 100);
  StreamProgress empty;
  AdvanceProgress(empty, 10);
  EXPECT_EQ(ProgressPercent(empty), 1000);
  EXPECT_EQ(ProgressCaption(u"Loading", u"big.txt", 45), u"Loading big.txt (45%)");
}

TEST(EditorStatus, RememberedLineOnlyBelowTheSizeLimit) {
  EXPECT_EQ(RememberedLine(500000, 300), 300);
  EXPECT_EQ(RememberedLine(500000, 0), 1);
  EXPECT_EQ(RememberedLine(500000, std::nullopt), 1);
  EXPECT_FALSE(RememberedLine(512000, 300).has_value());
  EXPECT_EQ(QuarterScroll(300, 0), 225);
}

TEST(EditorSavePlan, TemporaryFileBesideTheTarget) {
  const SavePlan plain = PlanSave(u"C:\\docs\\a.txt", 0x20, 0xAB);
  EXPECT_EQ(plain.temporaryPath, u"C:\\docs\\~a.txt.000000ab.tmp");
  EXPECT_FALSE(plain.askOverwrite);
  EXPECT_TRUE(plain.putBackAttributes);
  EXPECT_TRUE(PlanSave(u"a.txt", 0x21, 1).askOverwrite);
  EXPECT_TRUE(PlanSave(u"a.txt", 0x02, 1).askOverwrite);
  EXPECT_EQ(PlanSave(u"a.txt", 0x21, 1).temporaryPath, u"~a.txt.00000001.tmp");
  const SavePlan fresh = PlanSave(u"C:new.txt", kNoFile, 2);
  EXPECT_FALSE(fresh.askOverwrite || fresh.putBackAttributes);
  EXPECT_EQ(fresh.temporaryPath, u"C:~new.txt.00000002.tmp");
  // A name near the path limit gets a short temporary name in the same folder.
  const Text longName = u"C:\\d\\" + Text(250, u'n');
  const SavePlan longPlan = PlanSave(longName, 0x20, 3);
  EXPECT_EQ(longPlan.temporaryPath, u"C:\\d\\~nrv.00000003.tmp");
}

}  // namespace
}  // namespace nrv
