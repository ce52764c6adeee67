// The editor's choice of encoding and its byte conversions, fed in every block split: a file
// read in blocks and written back through the control's CR LF line breaks comes out byte for
// byte.
#include <gtest/gtest.h>

#include <string>

#include "editor/editor_encoding.h"
#include "editor/line_ends.h"
#include "editor/text_codec.h"

namespace nrv {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

EditorEncoding Choose(const std::string& sample, TextView extension = u"txt") {
  return ChooseEncoding(Bytes(sample), sample.size(), extension);
}

std::string Utf16Bytes(TextView text) {
  std::string out;
  for (char16_t u : text) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
  return out;
}

// A double-byte code page in miniature: 0x81-0x9F lead a pair, everything else is Latin-1.
bool FakeLead(uint8_t b) { return b >= 0x81 && b <= 0x9F; }
void FakeDecode(const uint8_t* bytes, size_t length, Text& out) {
  for (size_t i = 0; i < length; ++i) {
    if (FakeLead(bytes[i]) && i + 1 < length) {
      out.push_back(static_cast<char16_t>(0xE000 + ((bytes[i] - 0x81) << 8) + bytes[i + 1]));
      ++i;
    } else {
      out.push_back(bytes[i]);
    }
  }
}
void FakeEncode(const char16_t* units, size_t length, std::string& out) {
  for (size_t i = 0; i < length; ++i) {
    const char16_t u = units[i];
    if (u >= 0xE000 && u < 0xE000 + (0x1F << 8)) {
      out.push_back(static_cast<char>(0x81 + ((u - 0xE000) >> 8)));
      out.push_back(static_cast<char>(u & 0xFF));
    } else {
      out.push_back(u < 0x100 ? static_cast<char>(u) : '?');
    }
  }
}
const AnsiCodec kFakeDbcs{FakeDecode, FakeEncode, FakeLead};

Text Load(const EditorEncoding& encoding, const std::string& file, size_t block) {
  TextDecoder decoder = StartDecoder(encoding, &kFakeDbcs);
  Text text;
  for (size_t at = 0; at < file.size(); at += block)
    Decode(decoder, Bytes(file) + at, std::min(block, file.size() - at), text);
  FinishDecode(decoder, text);
  return text;
}

// What the control gives back: every line break as CR LF when it streams out, as CR alone when
// its text is read.
Text AsControlWrites(TextView text, TextView lineBreak = u"\r\n") {
  Text out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n')
      out += lineBreak;
    else
      out.push_back(text[i]);
  }
  return out;
}

std::string Save(const EditorEncoding& encoding, TextView text, size_t block) {
  TextEncoder encoder = StartEncoder(encoding, &kFakeDbcs);
  std::string file;
  for (size_t at = 0; at < text.size(); at += block)
    Encode(encoder, text.data() + at, std::min(block, text.size() - at), file);
  FinishEncode(encoder, file);
  return file;
}

void ExpectRoundTrip(const std::string& file, TextView expectedText, EditorFormat format) {
  const EditorEncoding encoding = Choose(file);
  ASSERT_EQ(encoding.format, format);
  for (size_t block : {1, 2, 3, 5, 7, 4096}) {
    SCOPED_TRACE(block);
    const Text text = Load(encoding, file, block);
    EXPECT_EQ(text, expectedText);
    EXPECT_EQ(Save(encoding, AsControlWrites(text), block), file);
    EXPECT_EQ(Save(encoding, AsControlWrites(text, u"\r"), block), file);
  }
}

TEST(EditorEncodingChoice, FormatsFromContentAndExtension) {
  EXPECT_EQ(Choose("plain words\r\n").format, EditorFormat::Ansi);
  EXPECT_TRUE(Choose("bin\x01\x02").binary);
  // Without line breaks a sample is still text for the editor.
  EXPECT_FALSE(Choose("one line").binary);
  EXPECT_EQ(Choose("{\\rtf1 x}", u"RTF").format, EditorFormat::Rtf);
  EXPECT_EQ(Choose("{\\rtf1 x}", u"txt").format, EditorFormat::Ansi);
  EXPECT_TRUE(Choose("{\\rtf1\x03}", u"rtf").binary);
  // Five multi-byte sequences make UTF-8; a byte-order mark alone does too.
  EXPECT_EQ(Choose("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9").format, EditorFormat::Utf8);
  EXPECT_EQ(Choose("\xC3\xA9 once").format, EditorFormat::Ansi);
  const EditorEncoding marked = Choose("\xEF\xBB\xBFshort");
  EXPECT_EQ(marked.format, EditorFormat::Utf8);
  EXPECT_TRUE(marked.byteOrderMark);
  // A UTF-16 byte-order mark wins over the control bytes its Cyrillic letters look like.
  const EditorEncoding utf16 = Choose(Utf16Bytes(u"\xFEFF\x0416\x0418\n"));
  EXPECT_EQ(utf16.format, EditorFormat::Utf16);
  EXPECT_TRUE(utf16.byteOrderMark);
  EXPECT_EQ(utf16.lineEnd, LineEnd::Lf);
}

TEST(EditorEncodingChoice, LineEndIsTheFirstBreak) {
  EXPECT_EQ(Choose("a\nb\r\n").lineEnd, LineEnd::Lf);
  EXPECT_EQ(Choose("a\rb\n").lineEnd, LineEnd::Cr);
  EXPECT_EQ(Choose("a\r\nb\n").lineEnd, LineEnd::CrLf);
  EXPECT_EQ(Choose("no break").lineEnd, LineEnd::CrLf);
  // A CR as the sample's last byte may be followed by LF in the rest of the file.
  EXPECT_EQ(Choose("a\r").lineEnd, LineEnd::CrLf);
  EXPECT_EQ(Choose(Utf16Bytes(u"a b\nc d\ne f\ng h\ni j\r\n")).lineEnd, LineEnd::Lf);
  EXPECT_EQ(Choose(Utf16Bytes(u"a b c\r\nd e f\r\n g\r\n")).format, EditorFormat::Utf16);
  EXPECT_EQ(Choose(Utf16Bytes(u"a b c\r\nd e f\r\n g\r\n")).lineEnd, LineEnd::CrLf);
}

TEST(EditorCodec, Utf8RoundTripsInEveryBlockSize) {
  const std::string file = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n"  // Привет
                           "\xCE\xB1\xCE\xB2\xCE\xB3\n"                                // αβγ
                           "\xE6\xBC\xA2\xE5\xAD\x97\n"                                // 漢字
                           "\xF0\x9F\x98\x80 end\n";                                   // U+1F600
  ExpectRoundTrip(file, u"Привет\nαβγ\n漢字\n\U0001F600 end\n", EditorFormat::Utf8);
  ExpectRoundTrip("\xEF\xBB\xBF" + file, u"Привет\nαβγ\n漢字\n\U0001F600 end\n", EditorFormat::Utf8);
}

TEST(EditorCodec, Utf16KeepsItsMarkOrItsAbsence) {
  const Text text = u"one two\r\nthree four\r\nfive six\r\nseven eight\r\nnine ten\r\n\x0416";
  ExpectRoundTrip(Utf16Bytes(text), text, EditorFormat::Utf16);
  ExpectRoundTrip(Utf16Bytes(u"\xFEFF" + text), text, EditorFormat::Utf16);
}

TEST(EditorCodec, AnsiKeepsLineEndsAndDoubleByteCharacters) {
  ExpectRoundTrip("caf\xE9\r\nna\xEFve\r\n", u"caf\u00E9\r\nna\u00EFve\r\n", EditorFormat::Ansi);
  ExpectRoundTrip("unix\nlines\n", u"unix\nlines\n", EditorFormat::Ansi);
  ExpectRoundTrip("old\rmac\r", u"old\rmac\r", EditorFormat::Ansi);
  // Every pair is cut between its lead and trail byte by some block size.
  ExpectRoundTrip("x\x81\x41\x82\x42y\x9F\xFF", u"x\xE041\xE142y\xFEFF", EditorFormat::Ansi);
}

// Whole-file UTF-8 checks fed in every block split: where the sample said UTF-8 and the rest
// breaks it, and where the sample was ASCII and the rest is UTF-8.
TEST(EditorEncodingChoice, WholeFileSettlesUtf8OrAnsi) {
  const auto settled = [](const std::string& file, size_t block) {
    EditorEncoding encoding = Choose(file.substr(0, 16));
    Utf8Check check;
    for (size_t at = 0; at < file.size(); at += block)
      CheckUtf8(check, Bytes(file) + at, std::min(block, file.size() - at));
    FinishUtf8Check(check);
    SettleEncoding(encoding, check);
    return encoding;
  };
  const std::string utf8 = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 and more ascii text \xF0\x9F\x98\x80 \xE6\xBC\xA2";
  for (size_t block : {1, 2, 3, 7, 4096}) {
    SCOPED_TRACE(block);
    EXPECT_EQ(settled(utf8, block).format, EditorFormat::Utf8);
    EXPECT_EQ(settled(std::string(40, 'a') + "\xE6\xBC\xA2", block).format, EditorFormat::Utf8);
    EXPECT_EQ(settled(std::string(40, 'a'), block).format, EditorFormat::Ansi);
    for (const char* broken : {"\xFF", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE6\xBC"}) {
      EXPECT_EQ(settled(utf8 + broken + "tail", block).format, EditorFormat::Ansi) << broken;
      EXPECT_EQ(settled(utf8 + broken, block).format, EditorFormat::Ansi) << broken;
    }
    const EditorEncoding marked = settled("\xEF\xBB\xBF" + utf8 + "\xFF", block);
    EXPECT_EQ(marked.format, EditorFormat::Ansi);
    EXPECT_FALSE(marked.byteOrderMark);  // its three bytes are then text, written back as they were
  }
  // Rich text and UTF-16 are not UTF-8 candidates.
  Utf8Check broken;
  broken.valid = false;
  EditorEncoding rtf = Choose("{\\rtf1 x}", u"rtf");
  SettleEncoding(rtf, broken);
  EXPECT_EQ(rtf.format, EditorFormat::Rtf);
}

TEST(EditorCodec, Utf16OddLastByteIsWrittenBackAfterTheText) {
  EditorEncoding encoding = Choose(Utf16Bytes(u"\uFEFFab"));
  encoding.oddByte = true;
  encoding.lastByte = 0x7F;
  const std::string file = Utf16Bytes(u"\uFEFFab") + "\x7F";
  for (size_t block : {1, 2, 3, 4096}) {
    const Text text = Load(encoding, file, block);
    EXPECT_EQ(text, u"ab");
    EXPECT_EQ(Save(encoding, text + u"c", block), Utf16Bytes(u"\uFEFFabc") + "\x7F");
  }
}

// The control keeps CR for every break; each line's own break is noted on the way in, and a
// save matches the lines to the loaded ones.
TEST(EditorLineEnds, EachLineKeepsItsBreakAroundEdits) {
  const Text file = u"a\nb\r\nc\rd\r\r\ne\n";
  for (size_t block : {1, 2, 3, 64}) {
    SCOPED_TRACE(block);
    LineEnds loaded;
    Text control;
    for (size_t at = 0; at < file.size(); at += block) {
      const size_t from = control.size();
      control.append(file.substr(at, block));
      NoteLineEnds(loaded, control, from);
    }
    FinishLineEnds(loaded);
    ASSERT_TRUE(loaded.mixed);
    EXPECT_EQ(control, u"a\rb\rc\rd\r\re\r");
    const auto plan = [&](TextView text) {
      LineEnds now;
      Text units(text);
      NoteLineEnds(now, units, 0);
      FinishLineEnds(now);
      EditorEncoding encoding;
      TextEncoder encoder = StartEncoder(encoding, &kFakeDbcs);
      const auto ends = PlanLineEnds(loaded, now.prints, LineEnd::CrLf);
      encoder.lineEnds = &ends;
      std::string out;
      Encode(encoder, text.data(), text.size(), out);
      FinishEncode(encoder, out);
      return out;
    };
    EXPECT_EQ(plan(u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"), "a\nb\r\nc\rd\r\r\ne\n");
    // A letter typed on one line, a line put in and one taken out.
    EXPECT_EQ(plan(u"a\r\nbx\r\nc\r\nd\r\n\r\ne\r\n"), "a\nbx\r\nc\rd\r\r\ne\n");
    EXPECT_EQ(plan(u"a\r\nnew\r\nb\r\nc\r\nd\r\n\r\ne\r\n"), "a\nnew\nb\r\nc\rd\r\r\ne\n");
    EXPECT_EQ(plan(u"a\r\nc\r\nd\r\n\r\ne\r\n"), "a\nc\rd\r\r\ne\n");
    EXPECT_EQ(plan(u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\nmore"), "a\nb\r\nc\rd\r\r\ne\nmore");
  }
  LineEnds alike;
  Text units = u"x\ny\nz";
  NoteLineEnds(alike, units, 0);
  FinishLineEnds(alike);
  ForgetWhenAlike(alike);
  EXPECT_FALSE(alike.mixed);
  EXPECT_EQ(alike.ends, std::vector<LineEnd>{LineEnd::Lf});
  EXPECT_TRUE(alike.prints.empty());
}

TEST(EditorCodec, BrokenInputBecomesReplacementCharacters) {
  EditorEncoding utf8;
  utf8.format = EditorFormat::Utf8;
  // Cut short at the end of the file, and a stray continuation byte in the middle.
  EXPECT_EQ(Load(utf8, "ok\x80ok\xE6\xBC", 4), u"ok\xFFFDok\xFFFD\xFFFD");
  EditorEncoding utf16;
  utf16.format = EditorFormat::Utf16;
  EXPECT_EQ(Load(utf16, std::string("a\0b", 3), 1), u"a\xFFFD");
  // A lone surrogate from the control cannot be UTF-8.
  EXPECT_EQ(Save(utf8, Text(u"x") + char16_t(0xD800) + u"\r\n", 3), "x\xEF\xBF\xBD\r\n");
}

}  // namespace
}  // namespace nrv
