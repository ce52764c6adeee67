#include "editor/editor_encoding.h"

#include <cstring>

#include "core/masks.h"
#include "viewer/encoding.h"

namespace nrv {

namespace {

bool StartsWith(const uint8_t* sample, size_t length, std::initializer_list<uint8_t> prefix) {
  if (length < prefix.size()) return false;
  size_t i = 0;
  for (uint8_t b : prefix)
    if (sample[i++] != b) return false;
  return true;
}

// The first line break decides; a text without one gets CR LF, as the control writes.
LineEnd FirstLineEnd(const uint8_t* sample, size_t length, size_t unit) {
  for (size_t i = 0; i + unit <= length; i += unit) {
    const bool high = unit == 2 && sample[i + 1] != 0;
    if (high) continue;
    if (sample[i] == '\n') return LineEnd::Lf;
    if (sample[i] != '\r') continue;
    if (i + 2 * unit > length) return LineEnd::CrLf;  // the sample ends between CR and LF
    const bool lf = sample[i + unit] == '\n' && (unit == 1 || sample[i + unit + 1] == 0);
    return lf ? LineEnd::CrLf : LineEnd::Cr;
  }
  return LineEnd::CrLf;
}

}  // namespace

EditorEncoding ChooseEncoding(const uint8_t* sample, size_t length, TextView extension) {
  EditorEncoding encoding;
  if (StartsWith(sample, length, {0xFF, 0xFE})) {
    encoding.format = EditorFormat::Utf16;
    encoding.byteOrderMark = true;
    encoding.lineEnd = FirstLineEnd(sample + 2, length - 2, 2);
    return encoding;
  }
  const EncodingGuess guess = DetectEncoding(sample, length, true);
  if (guess.isUnicode) {
    encoding.format = EditorFormat::Utf16;
    encoding.lineEnd = FirstLineEnd(sample, length, 2);
    return encoding;
  }
  encoding.lineEnd = FirstLineEnd(sample, length, 1);
  const bool bom = StartsWith(sample, length, {0xEF, 0xBB, 0xBF});
  if (!guess.isText && !bom) {
    encoding.binary = true;
    return encoding;
  }
  if (EqualsFolded(extension, u"rtf")) {
    encoding.format = EditorFormat::Rtf;
  } else if (bom || guess.isUtf8) {
    encoding.format = EditorFormat::Utf8;
    encoding.byteOrderMark = bom;
  }
  return encoding;
}

bool NeedsUtf8Check(const EditorEncoding& encoding) {
  return !encoding.binary && (encoding.format == EditorFormat::Ansi || encoding.format == EditorFormat::Utf8);
}

void CheckUtf8(Utf8Check& check, const uint8_t* bytes, size_t length) {
  size_t i = 0;
  // The rest of a sequence the last block cut: fed a byte at a time until it is whole.
  while (check.carried && i < length && check.valid) {
    check.carry[check.carried++] = bytes[i++];
    const Utf8Step step = DecodeUtf8(check.carry, check.carried);
    if (step.length == 0) continue;
    check.valid = step.length == check.carried;
    check.multiByte = true;
    check.carried = 0;
  }
  while (i < length && check.valid) {
    // Runs of ASCII, the bulk of most files, eight bytes at a look.
    uint64_t word;
    if (i + 8 <= length && (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080ULL) == 0)) {
      i += 8;
      continue;
    }
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = DecodeUtf8(bytes + i, length - i);
    if (step.length == 0) {
      check.carried = static_cast<uint8_t>(length - i);
      std::memcpy(check.carry, bytes + i, length - i);
      return;
    }
    if (step.length == 1) check.valid = false;
    check.multiByte = true;
    i += step.length;
  }
}

void FinishUtf8Check(Utf8Check& check) {
  if (check.carried) check.valid = false;
  check.carried = 0;
}

void SettleEncoding(EditorEncoding& encoding, const Utf8Check& check) {
  if (!NeedsUtf8Check(encoding)) return;
  if (!check.valid) {
    encoding.format = EditorFormat::Ansi;
    encoding.byteOrderMark = false;
  } else if (check.multiByte) {
    encoding.format = EditorFormat::Utf8;
  }
}

TextView FormatName(EditorFormat format) {
  switch (format) {
    case EditorFormat::Utf16: return u"Unicode";
    case EditorFormat::Rtf: return u"RTF";
    default: return u"Text";
  }
}

}  // namespace nrv
