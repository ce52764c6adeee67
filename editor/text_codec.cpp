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

void PutUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void PutUtf8Units(const Text& units, std::string& out) {
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      PutUtf8(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
      ++i;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      PutUtf8(kReplacement, out);
    } else {
      PutUtf8(u, out);
    }
  }
}

void PutUtf16Units(const Text& units, std::string& out) {
  for (char16_t u : units) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
}

void PutLineEnd(LineEnd lineEnd, Text& units) {
  if (lineEnd != LineEnd::Lf) units.push_back(u'\r');
  if (lineEnd != LineEnd::Cr) units.push_back(u'\n');
}

void PutUnit(TextEncoder& encoder, char16_t u) {
  if (encoder.pendingCr) {
    encoder.pendingCr = false;
    PutLineEnd(encoder.encoding.lineEnd, encoder.units);
    if (u == u'\n') return;
  }
  if (u == u'\r')
    encoder.pendingCr = true;
  else if (u == u'\n')
    PutLineEnd(encoder.encoding.lineEnd, encoder.units);
  else
    encoder.units.push_back(u);
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

void Encode(TextEncoder& encoder, const uint8_t* bytes, size_t length, std::string& out) {
  if (encoder.heldSurrogate) {
    encoder.units.push_back(encoder.heldSurrogate);
    encoder.heldSurrogate = 0;
  }
  size_t i = 0;
  if (encoder.hasOddByte && length) {
    encoder.hasOddByte = false;
    PutUnit(encoder, static_cast<char16_t>(encoder.oddByte | (bytes[0] << 8)));
    i = 1;
  }
  for (; i + 1 < length; i += 2) PutUnit(encoder, static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  if (i < length) {
    encoder.hasOddByte = true;
    encoder.oddByte = bytes[i];
  }
  // A pair split between two blocks is written whole with the next one.
  if (!encoder.pendingCr && !encoder.units.empty() && IsHighSurrogate(encoder.units.back())) {
    encoder.heldSurrogate = encoder.units.back();
    encoder.units.pop_back();
  }
  Flush(encoder, out);
}

void FinishEncode(TextEncoder& encoder, std::string& out) {
  if (encoder.heldSurrogate) encoder.units.push_back(encoder.heldSurrogate);
  encoder.heldSurrogate = 0;
  if (encoder.pendingCr) PutLineEnd(encoder.encoding.lineEnd, encoder.units);
  encoder.pendingCr = false;
  Flush(encoder, out);
}

}  // namespace nrv
