#include "viewer/encoding.h"

namespace nrv {

namespace {

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Bytes that never appear in text; NUL, BEL, TAB, LF, FF and CR do.
bool IsBinaryByte(uint8_t b) {
  return (b >= 1 && b <= 6) || b == 8 || b == 11 || (b >= 14 && b <= 31);
}

bool LooksLikeUtf16(const uint8_t* sample, size_t length) {
  int spaces = 0, breaks = 0;
  for (size_t i = 0; i + 1 < length; ++i) {
    if (sample[i] != 0) continue;
    const uint8_t next = sample[i + 1];
    if (next == 0) return false;
    if (next == ' ') ++spaces;
    if (next == '\r' || next == '\n') ++breaks;
    if (spaces > 4 && breaks > 4) return true;
  }
  return false;
}

bool LooksLikeUtf8(const uint8_t* sample, size_t length) {
  int sequences = 0;
  size_t i = 0;
  while (i < length) {
    if (sample[i] < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = DecodeUtf8(sample + i, length - i);
    if (step.length == 0) break;
    if (step.length > 1 && ++sequences > 4) return true;
    i += step.length;
  }
  return false;
}

}  // namespace

Utf8Step DecodeUtf8(const uint8_t* bytes, size_t available) {
  const uint8_t lead = bytes[0];
  if (lead < 0x80) return {lead, 1};
  size_t length;
  char32_t value;
  uint8_t low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {0xFFFD, 1};
  }
  for (size_t k = 1; k < length; ++k) {
    if (k >= available) return {0, 0};
    const uint8_t b = bytes[k];
    if (k == 1 ? (b < low || b > high) : !IsContinuation(b)) return {0xFFFD, 1};
    value = (value << 6) | (b & 0x3F);
  }
  return {value, static_cast<uint8_t>(length)};
}

EncodingGuess DetectEncoding(const uint8_t* sample, size_t length, bool forEditor) {
  EncodingGuess guess;
  if (LooksLikeUtf16(sample, length)) {
    guess.isText = guess.isUnicode = true;
    return guess;
  }
  bool lineBreak = false;
  for (size_t i = 0; i < length; ++i) {
    if (IsBinaryByte(sample[i])) return guess;
    if (sample[i] == '\r' || sample[i] == '\n') lineBreak = true;
  }
  if (!forEditor && !lineBreak) return guess;
  guess.isText = true;
  guess.isUtf8 = LooksLikeUtf8(sample, length);
  return guess;
}

}  // namespace nrv
