// Encoding guesses over the first 8 KB and the decoded window with the offset of every
// character, including sequences cut by the 4096-byte read chunks.
#include <gtest/gtest.h>

#include <string>

#include "support/viewer_documents.h"
#include "viewer/encoding.h"
#include "viewer/text_window.h"

namespace nrv {
namespace {

using test::MemoryDocument;
using test::Utf16;

EncodingGuess Guess(const std::string& sample, bool forEditor = false) {
  return DetectEncoding(reinterpret_cast<const uint8_t*>(sample.data()), sample.size(), forEditor);
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ViewerDetectEncoding, Utf16NeedsFiveSpacesAndFiveBreaks) {
  const EncodingGuess lines = Guess(Utf16(u"one two\r\n") + Utf16(u"three four\r\n") + Utf16(u"a b\r\nc d\r\ne f\r\ng h\r\n"));
  EXPECT_TRUE(lines.isText && lines.isUnicode);
  EXPECT_FALSE(lines.isUtf8);
  // One long line: spaces but too few breaks.
  const EncodingGuess oneLine = Guess(Utf16(u"a b c d e f g h i j k l m n o\r\n"));
  EXPECT_FALSE(oneLine.isUnicode);
  // Two NULs in a row end the test at once.
  EXPECT_FALSE(Guess(std::string("\0\0", 2) + Utf16(u"a b c d e f\n\n\n\n\n\n")).isUnicode);
}

TEST(ViewerDetectEncoding, BinaryBytesAndLineBreaks) {
  EXPECT_TRUE(Guess(std::string("text\0with NUL\r\n", 15)).isText);
  for (int b : {1, 6, 8, 11, 14, 27, 31}) {
    std::string sample = "line\n";
    sample += static_cast<char>(b);
    EXPECT_FALSE(Guess(sample).isText) << b;
  }
  for (int b : {7, 9, 12}) {
    std::string sample = "line\n";
    sample += static_cast<char>(b);
    EXPECT_TRUE(Guess(sample).isText) << b;
  }
  EXPECT_FALSE(Guess(std::string(9000, 'a')).isText);       // no break: Dump
  EXPECT_TRUE(Guess(std::string(9000, 'a'), true).isText);  // the editor takes it
  // A break past the sample does not count.
  EXPECT_FALSE(Guess(std::string(8192, 'a')).isText);
}

TEST(ViewerDetectEncoding, Utf8CountsValidSequencesOfAnyLength) {
  const std::string ru = "\xD0\x9F";            // two bytes
  const std::string euro = "\xE2\x82\xAC";      // three
  const std::string emoji = "\xF0\x9F\x98\x80"; // four
  EXPECT_FALSE(Guess(Repeat(ru, 4) + "\n").isUtf8);
  EXPECT_TRUE(Guess(Repeat(ru, 5) + "\n").isUtf8);
  EXPECT_TRUE(Guess(Repeat(euro, 5) + "\n").isUtf8);
  EXPECT_TRUE(Guess(Repeat(emoji, 3) + Repeat(euro, 2) + "\n").isUtf8);
  // Overlong forms, surrogates and stray continuations are not sequences.
  EXPECT_FALSE(Guess(Repeat("\xC0\xAF", 6) + "\n").isUtf8);
  EXPECT_FALSE(Guess(Repeat("\xED\xA0\x80", 6) + "\n").isUtf8);
  EXPECT_FALSE(Guess(Repeat("\x80\xBF", 6) + "\n").isUtf8);
}

TEST(ViewerDecodeUtf8, BoundsOfEachLength) {
  auto step = [](const std::string& s) {
    return DecodeUtf8(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(step("\xC2\x80").value, 0x80u);
  EXPECT_EQ(step("\xDF\xBF").value, 0x7FFu);
  EXPECT_EQ(step("\xE0\xA0\x80").value, 0x800u);
  EXPECT_EQ(step("\xEF\xBF\xBF").value, 0xFFFFu);
  EXPECT_EQ(step("\xF0\x90\x80\x80").value, 0x10000u);
  EXPECT_EQ(step("\xF4\x8F\xBF\xBF").value, 0x10FFFFu);
  EXPECT_EQ(step("\xF4\x90\x80\x80").value, 0xFFFDu);  // past U+10FFFF
  EXPECT_EQ(step("\xE0\x9F\xBF").value, 0xFFFDu);      // overlong
  EXPECT_EQ(step("\xE2\x82").length, 0);               // may go on in the next chunk
  EXPECT_EQ(step("\xE2\x41").length, 1);
}

TEST(ViewerTextWindow, Utf8CharactersCarryTheirLeadByteOffsets) {
  // Put a four-byte character across the first 4096-byte chunk border.
  std::string text(4094, 'a');
  text += "\xF0\x9F\x98\x80";  // bytes 4094..4097
  text += "\xD0\x96\xFF\n";    // U+0416, an invalid byte, LF
  text += Repeat("\xD0\x9F", 5);
  MemoryDocument m(text + "\n");
  ASSERT_TRUE(m.doc.isUtf8);
  const TextWindow& w = m.doc.window;
  ASSERT_GE(w.chars.size(), 4100u);
  EXPECT_EQ(w.chars[4094], 0xD83D);
  EXPECT_EQ(w.chars[4095], 0xDE00);
  EXPECT_EQ(w.offsets[4094], 4094);
  EXPECT_EQ(w.offsets[4095], 4094);
  EXPECT_EQ(w.chars[4096], 0x0416);
  EXPECT_EQ(w.offsets[4096], 4098);
  EXPECT_EQ(w.chars[4097], 0xFFFD);
  EXPECT_EQ(w.offsets[4097], 4100);
  EXPECT_EQ(w.offsets[4098], 4101);
  EXPECT_EQ(w.length, static_cast<int64_t>(m.bytes.size()));
}

TEST(ViewerTextWindow, Utf16UnitsAndSingleBytesKeepTheirValues) {
  const std::u16string text = u"\u0416x y\r\nz w\r\na b\r\nc d\r\ne f\r\n\u00ff";
  MemoryDocument unicode(Utf16(text));
  ASSERT_TRUE(unicode.doc.isUnicode);
  ASSERT_EQ(unicode.doc.window.chars.size(), text.size());
  EXPECT_EQ(std::u16string(unicode.doc.window.chars.begin(), unicode.doc.window.chars.end()), text);
  EXPECT_EQ(unicode.doc.window.offsets.back(), static_cast<int64_t>(text.size()) - 1);

  MemoryDocument bytes("\xC6\xE0\n");  // raw, mapped only when drawn
  ASSERT_FALSE(bytes.doc.isUtf8);
  EXPECT_EQ(bytes.doc.window.chars[0], 0xC6);
  EXPECT_EQ(bytes.doc.window.chars[1], 0xE0);
}

}  // namespace
}  // namespace nrv
