// Searching the file in 8192-byte blocks: hits across a block border both ways, folding as
// each mode does it, hex patterns, progress and stopping, and where a hit puts the view.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "support/viewer_documents.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_screen.h"
#include "viewer/viewer_search.h"

namespace nrv {
namespace {

using test::MemoryDocument;
using test::Utf16;

// The row's marked cells as they show, the rest as dots.
Text HitText(const ScreenRow& row) {
  Text marked(row.cells.size(), u'.');
  for (size_t c = 0; c < row.cells.size() && c < row.hits.size(); ++c)
    if (row.hits[c]) marked[c] = row.cells[c];
  return marked;
}

SearchRun RunOver(const ViewerDocument& doc, bool backward = false, SearchFold fold = SearchFold::kNone) {
  SearchRun run;
  run.file = &doc.file;
  run.fileSize = doc.fileSize;
  run.backward = backward;
  run.fold = fold;
  run.characterSet = doc.characterSet;
  return run;
}

TEST(ViewerFindBytes, HitsAcrossEveryBlockBorderBothWays) {
  for (const std::string& pattern : std::vector<std::string>{"needle", "n", std::string(100, 'q') + "z"}) {
    for (int64_t shift : std::vector<int64_t>{1, 3, static_cast<int64_t>(pattern.size()) - 1}) {
      std::string file(3 * kSearchBlock, '.');
      const int64_t at = 2 * static_cast<int64_t>(kSearchBlock) - shift;
      file.replace(static_cast<size_t>(at), pattern.size(), pattern);
      MemoryDocument m(file);
      EXPECT_EQ(FindBytes(RunOver(m.doc), 0, pattern), at) << pattern.size() << " " << shift;
      EXPECT_EQ(FindBytes(RunOver(m.doc, true), m.doc.fileSize, pattern), at);
      EXPECT_EQ(FindBytes(RunOver(m.doc), at + 1, pattern), -1);
      // Backward finds only what ends at or before the start.
      EXPECT_EQ(FindBytes(RunOver(m.doc, true), at + static_cast<int64_t>(pattern.size()) - 1, pattern), -1);
      EXPECT_EQ(FindBytes(RunOver(m.doc, true), at + static_cast<int64_t>(pattern.size()), pattern), at);
    }
  }
}

TEST(ViewerFindBytes, NextAndPreviousOfSeveral) {
  std::string file(5 * kSearchBlock, ' ');
  const std::vector<int64_t> hits = {0, 8190, 8191, 20000, 40954};
  for (int64_t at : hits) file.replace(static_cast<size_t>(at), 3, "abc");
  file.replace(8191, 3, "abc");
  MemoryDocument m(file);
  int64_t from = 0;
  std::vector<int64_t> forward;
  for (int64_t p; (p = FindBytes(RunOver(m.doc), from, "abc")) >= 0; from = p + 1) forward.push_back(p);
  EXPECT_EQ(forward, (std::vector<int64_t>{0, 8191, 20000, 40954}));
  std::vector<int64_t> backward;
  from = m.doc.fileSize;
  for (int64_t p; (p = FindBytes(RunOver(m.doc, true), from, "abc")) >= 0; from = p + 2) backward.push_back(p);
  EXPECT_EQ(backward, (std::vector<int64_t>{40954, 20000, 8191, 0}));
  EXPECT_EQ(FindBytes(RunOver(m.doc), 0, std::string(kSearchBlock + 1, ' ')), -1);
}

TEST(ViewerFindUnits, Utf16AcrossTheBlockBorderWithFolding) {
  std::u16string text(3 * 4096, u'.');
  text.replace(4094, 5, u"\u0401\u0416ab\u0042");
  const std::u16string lines = u"a b\r\nc d\r\ne f\r\ng h\r\ni j\r\n";
  text.replace(100, lines.size(), lines);
  MemoryDocument m(Utf16(text));
  ASSERT_TRUE(m.doc.isUnicode);
  EXPECT_EQ(FindUnits(RunOver(m.doc), 0, u"\u0401\u0416ab"), 4094);
  EXPECT_EQ(FindUnits(RunOver(m.doc), 0, u"\u0451\u0436abb"), -1);
  EXPECT_EQ(FindUnits(RunOver(m.doc, false, SearchFold::kCodePage), 0, u"\u0451\u0436abb"), 4094);
  EXPECT_EQ(FindUnits(RunOver(m.doc, true, SearchFold::kCodePage), m.doc.fileSize / 2, u"\u0451\u0436"), 4094);

  m.doc.search.text = u"\u0401\u0436A";
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  EXPECT_EQ(m.doc.search.text, u"\u0451\u0436a");  // folded in place
}

TEST(ViewerFindNext, FoldingByModeAndCodePage) {
  // CP1251 "Привет World" and its KOI8-R spelling.
  const std::string ansi = "x\xCF\xF0\xE8\xE2\xE5\xF2 World\n";
  MemoryDocument m(ansi);
  m.doc.search.text = u"\u043f\u0420\u0418\u0432\u0435\u0442 wORLD";
  EXPECT_EQ(FindNext(m.doc), kSearchFound);
  m.doc.search.start = 0;
  m.doc.search.caseSensitive = true;
  m.doc.search.text = u"\u041f\u0440\u0438\u0432\u0435\u0442 World";
  EXPECT_EQ(FindNext(m.doc), kSearchFound);
  m.doc.search.start = 0;
  m.doc.search.text = u"\u041f\u0440\u0438\u0432\u0435\u0442 world";
  EXPECT_EQ(FindNext(m.doc), kSearchNotFound);

  // Hex and Dump modes lower only A to Z in the file.
  m.doc.search = SearchState{};
  SetHexMode(m.doc, true);
  m.doc.search.text = u"\u043f\u0440\u0438\u0432\u0435\u0442 world";
  EXPECT_EQ(FindNext(m.doc), kSearchNotFound);
  m.doc.search.text = u"world";
  EXPECT_EQ(FindNext(m.doc), kSearchFound);

  // KOI8-R documents are searched with the ANSI bytes of the text.
  MemoryDocument koi("x\xF0\xD2\xC9\xD7\xC5\xD4 World\n", 80, 25, kCharacterSetKoi8r);
  koi.doc.search.text = u"\u041f\u0440\u0438\u0432\u0435\u0442";
  EXPECT_EQ(FindNext(koi.doc), kSearchNotFound);
  koi.doc.search.text = u"WORLD";
  EXPECT_EQ(FindNext(koi.doc), kSearchFound);

  // UTF-8: Cyrillic capitals and Yo fold in the file as well.
  std::string utf8 = "\xD0\x81\xD0\x96\xD0\xAF \xD0\x9F\xD0\x9F\xD0\x9F\xD0\x9F\xD0\x9F\n";
  MemoryDocument u(utf8);
  ASSERT_TRUE(u.doc.isUtf8);
  u.doc.search.text = u"\u0451\u0436\u044f";
  EXPECT_EQ(FindNext(u.doc), kSearchFound);
  u.doc.search.start = 0;
  u.doc.search.text = u"\u00e9";  // other letters do not fold
  EXPECT_EQ(FindNext(u.doc), kSearchNotFound);
}

TEST(ViewerHexPattern, PairsWithOptionalSpaces) {
  std::string bytes;
  EXPECT_TRUE(ParseHexPattern(u"4D 5A 90", bytes));
  EXPECT_EQ(bytes, "MZ\x90");
  EXPECT_TRUE(ParseHexPattern(u" 4d5a  90 ", bytes));
  EXPECT_EQ(bytes, "MZ\x90");
  for (const char16_t* bad : {u"", u"   ", u"4", u"4D 5", u"4 D", u"4G", u"0x4D", u"4D,5A"})
    EXPECT_FALSE(ParseHexPattern(bad, bytes)) << ToUtf8(bad);

  MemoryDocument m(std::string(100, 'a') + "MZ\x90" + std::string(200, 'b'));
  SetHexMode(m.doc, true);
  m.doc.search.hexSearch = true;
  m.doc.search.text = u"4D 5A 9";
  EXPECT_EQ(FindNext(m.doc), kSearchBadHex);
  EXPECT_EQ(m.doc.viewTop, 0);
  m.doc.search.text = u"4D 5A 90";
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  EXPECT_EQ(m.doc.viewTop, 100 - 32);  // the hit in the third row
  EXPECT_EQ(m.doc.search.start, m.doc.screenEnd);
}

TEST(ViewerFindNext, TextHitIsTheThirdRowAndNextGoesPastTheScreen) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += (i == 50 || i == 52 || i == 150 ? "line with key\n" : "line\n");
  MemoryDocument m(text, 80, 10);
  m.doc.search.text = u"KEY";
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  ViewerScreen screen = LayoutScreen(m.doc);
  EXPECT_EQ(screen.rows[2].cells, u"line with key");
  EXPECT_EQ(screen.rows[4].cells, u"line with key");
  // Both occurrences on screen are marked, and nothing else.
  EXPECT_EQ(HitText(screen.rows[2]), u"..........key");
  EXPECT_EQ(HitText(screen.rows[4]), u"..........key");
  EXPECT_EQ(HitText(screen.rows[3]), u"....");
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  screen = LayoutScreen(m.doc);
  EXPECT_EQ(m.doc.viewTop, static_cast<int64_t>(146 * 5 + 2 * 14));
  EXPECT_EQ(FindNext(m.doc), kSearchNotFound);
  EXPECT_EQ(m.doc.viewTop, static_cast<int64_t>(146 * 5 + 2 * 14));
  m.doc.search.text.clear();
  EXPECT_EQ(FindNext(m.doc), kSearchNoText);
}

TEST(ViewerFindBytes, ReportsProgressAndStops) {
  MemoryDocument m(std::string(10 * kSearchBlock, 'x'));
  std::vector<int> seen;
  std::atomic<bool> stop{false};
  SearchRun run = RunOver(m.doc);
  run.progress = [&](int percent) {
    seen.push_back(percent);
    if (percent >= 50) stop = true;
  };
  run.stop = &stop;
  EXPECT_EQ(FindBytes(run, 0, "y"), -1);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 0);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());  // only changes
  EXPECT_LT(seen.back(), 70);  // stopped soon after half way
}

TEST(ViewerFindNext, AHexPatternMarksItsBytesWhereBytesAreDrawnOneByOne) {
  std::string bytes(200, '.');
  bytes.replace(100, 3, "MZ\x90");
  MemoryDocument m(bytes, 40, 5);
  m.doc.search.text = u"4d 5a90";
  m.doc.search.hexSearch = true;
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  EXPECT_EQ(m.doc.viewTop, 100 - 2 * 40);  // Dump mode: two rows above the hit
  EXPECT_EQ(m.doc.search.matches, (std::vector<MatchSpan>{{80, 83}}));
  SetHexMode(m.doc, true);
  LayoutScreen(m.doc);
  EXPECT_EQ(m.doc.search.matches, (std::vector<MatchSpan>{{80, 83}}));
}

// A hex pattern in decoded text marks every character one of its bytes belongs to.
TEST(ViewerFindNext, AHexPatternMarksTheCharactersOfItsBytesInDecodedText) {
  std::string utf8;
  for (int i = 0; i < 10; ++i) utf8 += "\xD0\x90\xD0\x91\t\xF0\x9F\x98\x80\r\n";  // АБ, tab, U+1F600
  MemoryDocument text(utf8, 40, 5);
  ASSERT_TRUE(text.doc.isUtf8);
  text.doc.search.text = u"91 09 F0";  // the second letter's last byte, the tab, the pair's first
  text.doc.search.hexSearch = true;
  ASSERT_EQ(FindNext(text.doc), kSearchFound);
  ViewerScreen screen = LayoutScreen(text.doc);
  ASSERT_EQ(screen.rows[2].cells, u"АБ \U0001F600");
  EXPECT_EQ(HitText(screen.rows[2]), u".Б \U0001F600");
  // Unwrapped, the tab is eight cells wide and columns scrolled away take their marks along.
  SetUnwrapped(text.doc, true);
  screen = LayoutScreen(text.doc);
  EXPECT_EQ(HitText(screen.rows[0]), u".Б      \U0001F600");
  text.doc.column = 3;
  screen = LayoutScreen(text.doc);
  EXPECT_EQ(HitText(screen.rows[0]), u"     \U0001F600");

  // UTF-16: a pattern from the middle of one unit into the next marks both.
  MemoryDocument wide(Utf16(u"one two\r\nthree four\r\na b\r\nc d\r\ne f\r\ng h\r\n"), 40, 5);
  ASSERT_TRUE(wide.doc.isUnicode);
  wide.doc.search.text = u"00 77";  // the high byte of 't', the low byte of 'w'
  wide.doc.search.hexSearch = true;
  ASSERT_EQ(FindNext(wide.doc), kSearchFound);
  screen = LayoutScreen(wide.doc);
  const auto two = std::find_if(screen.rows.begin(), screen.rows.end(),
                                [](const ScreenRow& row) { return row.cells == u"one two"; });
  ASSERT_NE(two, screen.rows.end());
  EXPECT_EQ(HitText(*two), u"....tw.");

  // The same file in Dump mode: one cell per unit, the pattern marks the two units it touches.
  wide.doc.isText = false;
  wide.doc.viewTop = 0;
  LayoutScreen(wide.doc);
  EXPECT_EQ(wide.doc.search.matches, (std::vector<MatchSpan>{{4, 6}}));
  // A UTF-8 file in Dump mode draws its bytes one by one: the marks follow them.
  text.doc.isText = false;
  text.doc.viewTop = 0;
  LayoutScreen(text.doc);
  ASSERT_FALSE(text.doc.search.matches.empty());
  EXPECT_EQ(text.doc.search.matches.front(), (MatchSpan{3, 6}));
}

// Unwrapped text marks the text search's hits through the same cells.
TEST(ViewerFindNext, UnwrappedTextMarksHitsAfterTabs) {
  MemoryDocument m("a\tkey b key\r\n", 40, 5);
  SetUnwrapped(m.doc, true);
  m.doc.search.text = u"key";
  ASSERT_EQ(FindNext(m.doc), kSearchFound);
  const ViewerScreen screen = LayoutScreen(m.doc);
  EXPECT_EQ(HitText(screen.rows[0]), u"........key...key");
}

}  // namespace
}  // namespace nrv
