// The screen's three layouts with their exact columns, line cutting, byte decoding for normal
// and OEM fonts, the status line and the copied selection.
#include <gtest/gtest.h>

#include <string>

#include "support/viewer_documents.h"
#include "viewer/code_pages.h"
#include "viewer/status_line.h"
#include "viewer/text_window.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_screen.h"
#include "viewer/viewer_selection.h"

namespace nrv {
namespace {

using test::MemoryDocument;

std::u16string Row(const ViewerScreen& screen, size_t row) {
  return row < screen.rows.size() ? screen.rows[row].cells : u"<none>";
}

TEST(ViewerHexRow, ExactColumnsOfAFullAndAShortRow) {
  std::string bytes = "MZ\x90";
  bytes += std::string("\x00\x01\x41\x7F\xFF\x98\xA0\xC0\xE0\x0A\x0D\x20\x7E", 13);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const Text row = HexRow(0x1234, data, 16, kCharacterSetAnsi, 0);
  EXPECT_EQ(row,
            u"0000001234: 4D 5A 90 00 01 41 7F FF \u2502 98 A0 C0 E0 0A 0D 20 7E  "
            u"MZ\u0452 \u263AA\u2302\u044F  \u0410\u0430\u25D9\u266A ~");
  EXPECT_EQ(row.size(), 79u);
  EXPECT_EQ(row[36], 0x2502);
  EXPECT_EQ(row.substr(63, 2), u"MZ");

  const Text shortRow = HexRow(0x20, data, 3, kCharacterSetOem, kOemFontCharSet);
  EXPECT_EQ(shortRow.size(), 66u);
  EXPECT_EQ(shortRow.substr(0, 21), u"0000000020: 4D 5A 90 ");
  EXPECT_EQ(shortRow[36], DecodeByte(0xB3, kCharacterSetOem, kOemFontCharSet));  // OEM bar
  EXPECT_EQ(shortRow[66 - 1], 0x0452);  // CP1251 glyph slot of OEM byte 0x90
  // Offsets past ten digits keep all of them.
  EXPECT_EQ(HexRow(0x123456789ABLL, data, 1, 1, 0).substr(0, 13), u"123456789AB: ");
}

TEST(ViewerDecodeByte, PicturesCodePagesAndTheirExceptions) {
  EXPECT_EQ(DecodeByte(0x00, kCharacterSetAnsi, 0), u' ');
  EXPECT_EQ(DecodeByte(0x1F, kCharacterSetAnsi, 0), u' ');
  EXPECT_EQ(DecodeByte(0x01, kCharacterSetAnsi, 0), 0x263A);
  EXPECT_EQ(DecodeByte(0x1C, kCharacterSetAnsi, 0), 0x02FE);
  EXPECT_EQ(DecodeByte(0x1E, kCharacterSetAnsi, 0), 0x25B2);
  EXPECT_EQ(DecodeByte(0x7F, kCharacterSetAnsi, 0), 0x2302);
  EXPECT_EQ(DecodeByte(0x80, kCharacterSetOem, 0), 0x0410);
  EXPECT_EQ(DecodeByte(0xFF, kCharacterSetOem, 0), u' ');
  EXPECT_EQ(DecodeByte(0xF0, kCharacterSetOem, 0), 0x0401);
  EXPECT_EQ(DecodeByte(0x98, kCharacterSetAnsi, 0), u' ');
  EXPECT_EQ(DecodeByte(0xA0, kCharacterSetAnsi, 0), u' ');
  EXPECT_EQ(DecodeByte(0xFF, kCharacterSetAnsi, 0), 0x044F);
  EXPECT_EQ(DecodeByte(0xE1, kCharacterSetKoi8r, 0), 0x0410);
  EXPECT_EQ(DecodeByte(0xA3, kCharacterSetKoi8r, 0), 0x0451);
  EXPECT_EQ(DecodeByte(0x80, 7, 0), u'?');

  // OEM fonts: the CP1251 character whose byte is the CP866 byte of the wanted letter.
  EXPECT_EQ(DecodeByte(0x01, kCharacterSetOem, kOemFontCharSet), 0x01);
  EXPECT_EQ(DecodeByte(0x98, kCharacterSetOem, kOemFontCharSet), 0x0098);
  EXPECT_EQ(DecodeByte(0xFF, kCharacterSetOem, kOemFontCharSet), u' ');
  EXPECT_EQ(DecodeByte(0xC0, kCharacterSetAnsi, kOemFontCharSet), 0x0402);  // A is CP866 0x80
  EXPECT_EQ(DecodeByte(0xA8, kCharacterSetAnsi, kOemFontCharSet), 0x0440);  // Yo is CP866 0xF0
  EXPECT_EQ(DecodeByte(0xB0, kCharacterSetAnsi, kOemFontCharSet), u'?');
  EXPECT_EQ(DecodeByte(0xC0, kCharacterSetKoi8r, kOemFontCharSet), u'?');
}

TEST(ViewerLineIndex, BreaksWrapAndUnwrap) {
  MemoryDocument m("ab\r\ncd\rEF\n\nlong line here\n", 5, 10);
  const auto& lines = m.doc.lines;
  ASSERT_EQ(m.doc.lineCount, 7);
  EXPECT_EQ(lines[1].index, 4);  // after CR LF
  EXPECT_EQ(lines[2].index, 7);  // after CR
  EXPECT_EQ(lines[3].index, 10);
  EXPECT_EQ(lines[4].index, 11);
  EXPECT_EQ(lines[5].index, 16);  // "long " fills five columns
  const ViewerScreen screen = LayoutScreen(m.doc);
  EXPECT_EQ(Row(screen, 0), u"ab");
  EXPECT_EQ(Row(screen, 3), u"");
  EXPECT_EQ(Row(screen, 4), u"long ");
  EXPECT_EQ(Row(screen, 5), u"line ");
  EXPECT_EQ(Row(screen, 6), u"here");
  EXPECT_EQ(m.doc.screenEnd, static_cast<int64_t>(m.bytes.size()));

  SetUnwrapped(m.doc, true);
  const ViewerScreen unwrapped = LayoutScreen(m.doc);
  EXPECT_EQ(m.doc.lineCount, 5);
  EXPECT_EQ(Row(unwrapped, 4), u"long line here");

  // A narrower window cuts the lines again and keeps the line holding the top first.
  MemoryDocument small(m.bytes, 5, 2);
  MoveLines(small.doc, 1);
  LayoutScreen(small.doc);
  MoveLines(small.doc, 1);
  EXPECT_EQ(Row(LayoutScreen(small.doc), 0), u"EF");
  ViewerGeometry narrow = small.doc.geometry;
  narrow.textColumns = 2;
  ApplyGeometry(small.doc, narrow);
  const ViewerScreen narrowed = LayoutScreen(small.doc);
  EXPECT_EQ(Row(narrowed, 0), u"EF");
  EXPECT_EQ(Row(narrowed, 2), u"lo");

  // A line of exactly the width is one line, not one and an empty one.
  MemoryDocument exact("abcde\nf\n", 5, 10);
  EXPECT_EQ(exact.doc.lineCount, 2);
}

TEST(ViewerTextWindow, BackwardBuildEqualsForwardFromItsBase) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "line " + std::to_string(i) + (i % 7 ? "\r\n" : "\t\xC6\xE0\n");
  MemoryDocument back(text, 40, 20);
  back.doc.viewTop = 100000;
  ASSERT_EQ(BuildTextWindowBackward(back.doc), 0);
  EXPECT_EQ(back.doc.window.base, 100000 - BackwardReach(back.doc));
  EXPECT_EQ(BackwardReach(back.doc), 21 * 2 * 40);  // two screens of wrapped lines
  back.doc.unwrapped = true;
  EXPECT_EQ(BackwardReach(back.doc), kBackwardReach);
  back.doc.unwrapped = false;
  MemoryDocument forward(text, 40, 20);
  forward.doc.viewTop = back.doc.window.base;
  ASSERT_EQ(BuildTextWindowForward(forward.doc), 0);
  const size_t n = forward.doc.window.chars.size();
  ASSERT_LE(n, back.doc.window.chars.size());
  EXPECT_TRUE(std::equal(forward.doc.window.chars.begin(), forward.doc.window.chars.end(),
                         back.doc.window.chars.begin()));
  EXPECT_TRUE(std::equal(forward.doc.window.offsets.begin(), forward.doc.window.offsets.end(),
                         back.doc.window.offsets.begin()));
  // The line holding viewTop is the first one shown, and the backward build reaches a screen
  // past it.
  const auto& first = back.doc.lines[static_cast<size_t>(back.doc.firstLine)];
  const auto& next = back.doc.lines[static_cast<size_t>(back.doc.firstLine + 1)];
  EXPECT_LE(back.doc.window.base + first.offset, 100000);
  EXPECT_GT(back.doc.window.base + next.offset, 100000);
  EXPECT_GT(back.doc.lineCount, back.doc.firstLine + 20);
}

// Opening decodes the lines of the first screen, not two screens of characters: a file with a
// long tail opens like a short one, shows the same screen, and pages on as before.
TEST(ViewerTextWindow, OpeningDecodesTheFirstScreenOnly) {
  std::string head;
  for (int i = 0; i < 30; ++i) head += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
  MemoryDocument small(head, 40, 10);
  MemoryDocument large(head + "tail without breaks " + std::string(200000, 'x'), 40, 10);
  EXPECT_LE(large.doc.window.chars.size(), 4096u);
  EXPECT_GE(large.doc.lineCount, 11);
  const ViewerScreen shown = LayoutScreen(large.doc);
  const ViewerScreen expected = LayoutScreen(small.doc);
  ASSERT_EQ(shown.rows.size(), 11u);
  for (size_t row = 0; row < shown.rows.size(); ++row) EXPECT_EQ(Row(shown, row), Row(expected, row));

  // Lines cut at the width count too: a long first line fills the screen by itself.
  MemoryDocument wide(std::string(100000, 'y'), 40, 10);
  EXPECT_LE(wide.doc.window.chars.size(), 4096u);
  EXPECT_EQ(Row(LayoutScreen(wide.doc), 10), std::u16string(40, u'y'));

  // Page Down past the first screen decodes further: three pages of nine lines reach the tail.
  ViewerScreen paged;
  for (int page = 0; page < 3; ++page) {
    MovePages(large.doc, 1);
    paged = LayoutScreen(large.doc);
  }
  EXPECT_EQ(Row(paged, 3), u"tail without breaks xxxxxxxxxxxxxxxxxxxx");
  EXPECT_EQ(Row(paged, 10), std::u16string(40, u'x'));
}

TEST(ViewerTextMoves, LinesPagesHomeAndEndFollowTheText) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "row " + std::to_string(i) + "\n";
  MemoryDocument m(text, 40, 10);
  LayoutScreen(m.doc);
  MoveLines(m.doc, 1);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 1");
  MovePages(m.doc, 1);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 10");
  MovePages(m.doc, -1);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 1");
  MoveLines(m.doc, -1);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 0");
  EXPECT_EQ(m.doc.viewTop, 0);

  EXPECT_TRUE(MoveEnd(m.doc, -1));
  ViewerScreen end = LayoutScreen(m.doc);
  EXPECT_EQ(Row(end, 0), u"row 2990");
  EXPECT_EQ(Row(end, 9), u"row 2999");
  EXPECT_EQ(m.doc.screenEnd, static_cast<int64_t>(text.size()));
  EXPECT_EQ(StatusPercent(m.doc), 100);
  EXPECT_FALSE(FileGrew(m.doc, m.doc.fileSize));
  EXPECT_TRUE(FileGrew(m.doc, m.doc.fileSize + 1));
  EXPECT_FALSE(MoveEnd(m.doc, m.doc.fileSize));
  // Down at the end stays on the last page; reading forward follows the text past the window.
  MoveLines(m.doc, 1);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 2990");
  MoveHome(m.doc);
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 0");
  for (int i = 0; i < 400; ++i) {
    MovePages(m.doc, 1);
    LayoutScreen(m.doc);
  }
  EXPECT_EQ(Row(LayoutScreen(m.doc), 0), u"row 2990");
}

TEST(ViewerDumpAndHexMoves, StopAtTheEndsWithTheLastPageFull) {
  MemoryDocument dump(std::string(1000, 'x'), 10, 5);  // no break: Dump
  ASSERT_EQ(ModeOf(dump.doc), kModeDump);
  MovePages(dump.doc, 1);
  EXPECT_EQ(dump.doc.viewTop, 50);
  MoveEnd(dump.doc, -1);
  EXPECT_EQ(dump.doc.viewTop, 950);
  MoveLines(dump.doc, 1);
  EXPECT_EQ(dump.doc.viewTop, 950);
  const ViewerScreen screen = LayoutScreen(dump.doc);
  EXPECT_EQ(screen.rows.size(), 5u);
  EXPECT_EQ(dump.doc.screenEnd, 1000);
  MovePages(dump.doc, -1);
  MovePages(dump.doc, -1);
  MoveLines(dump.doc, -1);
  EXPECT_EQ(dump.doc.viewTop, 840);

  MemoryDocument hex(std::string(1000, 'x'), 80, 10);
  SetHexMode(hex.doc, true);
  MoveEnd(hex.doc, -1);
  EXPECT_EQ(hex.doc.viewTop, 848);  // first multiple of 16 at or after 1000 - 160
  MoveLines(hex.doc, 1);
  EXPECT_EQ(hex.doc.viewTop, 848);
  MovePages(hex.doc, -1);
  EXPECT_EQ(hex.doc.viewTop, 704);
  MovePages(hex.doc, 1);
  EXPECT_EQ(hex.doc.viewTop, 848);
  MoveHome(hex.doc);
  MoveLines(hex.doc, -1);
  EXPECT_EQ(hex.doc.viewTop, 0);
}

TEST(ViewerStatusLine, SixFieldsRightAligned) {
  MemoryDocument m("hello\n", 80, 10);
  m.doc.name = u"C:\\a.txt";
  LayoutScreen(m.doc);
  const Text line = StatusLine(m.doc, 80);
  EXPECT_EQ(line.size(), 80u);
  EXPECT_EQ(line.substr(0, 8), u"C:\\a.txt");
  const Text right = Text(u"  Wrap   ") + u"  Text " + u" ANSI      " + u" 6           " +
                     u" Col 0    " + u" 100%  ";
  EXPECT_EQ(line.substr(80 - right.size()), right);
  SetHexMode(m.doc, true);
  m.doc.characterSet = kCharacterSetKoi8r;
  const auto fields = StatusFields(m.doc);
  EXPECT_EQ(fields[3], u" KOI8-R    ");
  EXPECT_EQ(fields[4], u"  Hex  ");
  EXPECT_EQ(fields[5], u"");
  MemoryDocument empty("", 80, 10);
  EXPECT_EQ(StatusPercent(empty.doc), 100);
  EXPECT_EQ(ViewerCaption(m.doc), u"View C:\\a.txt");
}

TEST(ViewerSelection, SameCellsEitherWayAndTheCopiedText) {
  MemoryDocument m("first line\nsecond\nthird line\n", 40, 10);
  const ViewerScreen screen = LayoutScreen(m.doc);
  SelectionRange forward, backward;
  BeginSelection(forward, {6, 0}, 10);
  forward.end = {4, 2};
  BeginSelection(backward, {4, 2}, 10);
  backward.end = {6, 0};
  EXPECT_EQ(SelectionText(m.doc, screen, forward), u"line\r\nsecond\r\nthird\r\n");
  EXPECT_EQ(SelectionText(m.doc, screen, backward), SelectionText(m.doc, screen, forward));
  EXPECT_TRUE(IsCellSelected(backward, 0, 1));
  EXPECT_FALSE(IsCellSelected(backward, 5, 2));

  SelectionRange none;
  BeginSelection(none, {0, 10}, 10);
  EXPECT_EQ(SelectionText(m.doc, screen, none), u"");
  const ScreenCell cell = CellAt(m.doc.geometry, -5, 1000, 320, 180);
  EXPECT_EQ(cell.column, 0);
  EXPECT_EQ(cell.row, (179 - 20) / 16);

  SetHexMode(m.doc, true);
  const ViewerScreen hex = LayoutScreen(m.doc);
  SelectionRange all;
  SelectAll(all, m.doc.geometry);
  const Text copied = SelectionText(m.doc, hex, all);
  EXPECT_EQ(copied.substr(0, 14), u"0000000000: 66");
  EXPECT_EQ(copied.find(u"\r\n"), 79u);
}

}  // namespace
}  // namespace nrv
