#include "editor/text_codec.h"

#include <cstring>

#include "viewer/encoding.h"

namespace nrv {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendCodePoint(char32_t c, Text& out) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// Returns how many bytes at the end form an unfinished character.
size_t DecodeUtf8Block(const uint8_t* bytes, size_t length, Text& out) {
  size_t i = 0;
  while (i < length) {
    if (bytes[i] < 0x80) {
      out.push_back(bytes[i++]);
      continue;
    }
    const Utf8Step step = DecodeUtf8(bytes + i, length - i);
    if (step.length == 0) return length - i;
    AppendCodePoint(step.value, out);
    i += step.length;
  }
  return 0;
}

size_t DecodeUtf16Block(const uint8_t* bytes, size_t length, Text& out) {
  const size_t units = length / 2;
  const size_t at = out.size();
  out.resize(at + units);
  for (size_t k = 0; k < units; ++k)
    out[at + k] = static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
  return length % 2;
}

size_t DecodeAnsiBlock(const AnsiCodec& ansi, const uint8_t* bytes, size_t length, Text& out) {
  size_t whole = length;
  if (ansi.isLeadByte) {
    size_t i = 0;
    while (i < length) i += ansi.isLeadByte(bytes[i]) ? 2 : 1;
    if (i > length) whole = length - 1;
  }
  if (whole) ansi.decode(bytes, whole, out);
  return length - whole;
}

// Writes c at p; returns the byte after it.
char* PutUtf8(char32_t c, char* p) {
  if (c < 0x80) {
    *p++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *p++ = static_cast<char>(0xC0 | (c >> 6));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (c >> 12));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (c >> 18));
    *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return p;
}

void PutUtf8Units(const Text& units, std::string& out) {
  const size_t at = out.size();
  out.resize(at + units.size() * 3);  // a unit is at most three bytes, a pair four for two
  char* p = out.data() + at;
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u < 0x80) {
      *p++ = static_cast<char>(u);
    } else if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      p = PutUtf8(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00), p);
      ++i;
    } else {
      p = PutUtf8(IsHighSurrogate(u) || IsLowSurrogate(u) ? kReplacement : u, p);
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
}

void PutUtf16Units(const Text& units, std::string& out) {
  const size_t at = out.size();
  out.resize(at + units.size() * 2);
  char* p = out.data() + at;
  for (char16_t u : units) {
    *p++ = static_cast<char>(u & 0xFF);
    *p++ = static_cast<char>(u >> 8);
  }
}

// The planned break for this line when the file's lines end differently, else the file's one.
LineEnd NextLineEnd(TextEncoder& encoder) {
  const auto* plan = encoder.lineEnds;
  if (!plan || encoder.breaks >= plan->size()) return encoder.encoding.lineEnd;
  return (*plan)[encoder.breaks++];
}

void PutLineEnd(LineEnd lineEnd, Text& units) {
  if (lineEnd != LineEnd::Lf) units.push_back(u'\r');
  if (lineEnd != LineEnd::Cr) units.push_back(u'\n');
}

void Flush(TextEncoder& encoder, std::string& out) {
  if (!encoder.markWritten) {
    encoder.markWritten = true;
    if (encoder.encoding.byteOrderMark && encoder.encoding.format == EditorFormat::Utf8)
      out.append("\xEF\xBB\xBF");
    if (encoder.encoding.byteOrderMark && encoder.encoding.format == EditorFormat::Utf16)
      out.append("\xFF\xFE");
  }
  switch (encoder.encoding.format) {
    case EditorFormat::Utf8: PutUtf8Units(encoder.units, out); break;
    case EditorFormat::Utf16: PutUtf16Units(encoder.units, out); break;
    default:
      if (!encoder.units.empty()) encoder.ansi->encode(encoder.units.data(), encoder.units.size(), out);
      break;
  }
  encoder.units.clear();
}

}  // namespace

TextDecoder StartDecoder(const EditorEncoding& encoding, const AnsiCodec* ansi) {
  TextDecoder decoder;
  decoder.encoding = encoding;
  decoder.ansi = ansi;
  if (encoding.byteOrderMark) decoder.markLeft = encoding.format == EditorFormat::Utf8 ? 3 : 2;
  return decoder;
}

void Decode(TextDecoder& decoder, const uint8_t* bytes, size_t length, Text& out) {
  const size_t skip = length < decoder.markLeft ? length : decoder.markLeft;
  decoder.markLeft = static_cast<uint8_t>(decoder.markLeft - skip);
  bytes += skip;
  length -= skip;
  if (decoder.carried) {
    decoder.joined.assign(reinterpret_cast<const char*>(decoder.carry), decoder.carried);
    decoder.joined.append(reinterpret_cast<const char*>(bytes), length);
    bytes = reinterpret_cast<const uint8_t*>(decoder.joined.data());
    length = decoder.joined.size();
  }
  size_t left = 0;
  switch (decoder.encoding.format) {
    case EditorFormat::Utf8: left = DecodeUtf8Block(bytes, length, out); break;
    case EditorFormat::Utf16: left = DecodeUtf16Block(bytes, length, out); break;
    default: left = DecodeAnsiBlock(*decoder.ansi, bytes, length, out); break;
  }
  // An unfinished character is at most three bytes; a longer rest cannot happen.
  decoder.carried = static_cast<uint8_t>(left);
  if (left) std::memcpy(decoder.carry, bytes + length - left, left);
}

void FinishDecode(TextDecoder& decoder, Text& out) {
  if (!decoder.carried) return;
  if (decoder.encoding.format == EditorFormat::Ansi) {
    decoder.ansi->decode(decoder.carry, decoder.carried, out);
  } else if (decoder.encoding.format == EditorFormat::Utf16 && decoder.encoding.oddByte) {
    // The encoding holds that byte and writes it back; the text never sees it.
  } else {
    // A UTF-8 sequence cut short gives one replacement per byte; a lone byte of UTF-16 one.
    const size_t count = decoder.encoding.format == EditorFormat::Utf8 ? decoder.carried : 1;
    out.append(count, kReplacement);
  }
  decoder.carried = 0;
}

TextEncoder StartEncoder(const EditorEncoding& encoding, const AnsiCodec* ansi) {
  TextEncoder encoder;
  encoder.encoding = encoding;
  encoder.ansi = ansi;
  return encoder;
}

void Encode(TextEncoder& encoder, const char16_t* units, size_t length, std::string& out) {
  Text& settled = encoder.units;
  if (encoder.heldSurrogate) {
    settled.push_back(encoder.heldSurrogate);
    encoder.heldSurrogate = 0;
  }
  size_t i = 0;
  if (encoder.pendingCr && length) {
    encoder.pendingCr = false;
    PutLineEnd(NextLineEnd(encoder), settled);
    if (units[0] == u'\n') i = 1;
  }
  // Lines are copied whole; only the breaks between them are looked at one by one.
  while (i < length) {
    size_t end = i;
    while (end < length && units[end] != u'\r' && units[end] != u'\n') ++end;
    settled.append(units + i, end - i);
    if (end == length) break;
    if (units[end] == u'\r' && end + 1 == length) {
      encoder.pendingCr = true;  // its LF may start the next piece
      break;
    }
    PutLineEnd(NextLineEnd(encoder), settled);
    i = end + (units[end] == u'\r' && units[end + 1] == u'\n' ? 2 : 1);
  }
  // A pair split between two pieces is written whole with the next one.
  if (!encoder.pendingCr && !settled.empty() && IsHighSurrogate(settled.back())) {
    encoder.heldSurrogate = settled.back();
    settled.pop_back();
  }
  Flush(encoder, out);
}

void FinishEncode(TextEncoder& encoder, std::string& out) {
  if (encoder.heldSurrogate) encoder.units.push_back(encoder.heldSurrogate);
  encoder.heldSurrogate = 0;
  if (encoder.pendingCr) PutLineEnd(NextLineEnd(encoder), encoder.units);
  encoder.pendingCr = false;
  Flush(encoder, out);
  if (encoder.encoding.format == EditorFormat::Utf16 && encoder.encoding.oddByte)
    out.push_back(static_cast<char>(encoder.encoding.lastByte));
}

}  // namespace nrv
