#include "viewer/text_window.h"

#include <algorithm>

#include "viewer/encoding.h"
#include "viewer/viewer_search.h"

namespace nrv {

namespace {

constexpr size_t kChunkBytes = 4096;

void Push(TextWindow& w, char16_t c, int64_t offset) {
  w.chars.push_back(c);
  w.offsets.push_back(offset);
}

// Appends a chunk of UTF-8 at window offset `at`; returns bytes left undecoded at its end (a
// sequence that may continue in the next chunk), unless atEnd.
size_t AppendUtf8(TextWindow& w, const uint8_t* bytes, size_t n, int64_t at, bool atEnd) {
  size_t i = 0;
  while (i < n) {
    Utf8Step step = DecodeUtf8(bytes + i, n - i);
    if (step.length == 0) {
      if (!atEnd) return n - i;
      step = {0xFFFD, 1};
    }
    const int64_t offset = at + static_cast<int64_t>(i);
    if (step.value >= 0x10000) {
      const char32_t v = step.value - 0x10000;
      Push(w, static_cast<char16_t>(0xD800 + (v >> 10)), offset);
      Push(w, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), offset);
    } else {
      Push(w, static_cast<char16_t>(step.value), offset);
    }
    i += step.length;
  }
  return 0;
}

// Counts the lines BuildLineIndex cuts, as the characters arrive.
struct LineCounter {
  int64_t limit = 1;
  int64_t width = 0;
  int64_t lines = 0;
  bool afterCr = false;
  size_t counted = 0;  // characters looked at
};

void CountLines(LineCounter& c, const std::vector<char16_t>& chars) {
  for (; c.counted < chars.size(); ++c.counted) {
    const char16_t ch = chars[c.counted];
    const bool afterCr = c.afterCr;
    c.afterCr = ch == u'\r';
    if (ch == u'\r' || ch == u'\n') {
      if (ch == u'\r' || !afterCr) ++c.lines;
      c.width = 0;
      continue;
    }
    if (ch >= 0xDC00 && ch <= 0xDFFF) continue;
    if (c.width == c.limit) {
      ++c.lines;
      c.width = 0;
    }
    ++c.width;
  }
}

// Decodes from base until more than the screen's worth of characters lies past reachUnits, or
// with linesWanted, until that many lines have been decoded.
int Fill(ViewerDocument& doc, int64_t base, int64_t reachUnits, int64_t linesWanted = 0) {
  const int unit = doc.isUnicode ? 2 : 1;
  const int64_t enough = ForwardReach(doc);
  TextWindow w;
  w.base = base;
  uint8_t buffer[kChunkBytes * 2 + 4];
  size_t held = 0;  // UTF-8 bytes carried into the next chunk
  int64_t position = base * unit + static_cast<int64_t>(held);
  int64_t charsAtReach = -1;
  LineCounter counter;
  counter.limit = doc.unwrapped ? kMaxColumn : std::max(doc.geometry.textColumns, 1);
  for (;;) {
    const size_t want = kChunkBytes * static_cast<size_t>(unit);
    const int64_t read = ReadViewerFile(doc.file, position, buffer + held, want);
    if (read < 0) return kViewerReadError;
    position += read;
    const size_t n = held + static_cast<size_t>(read);
    const bool atEnd = read == 0;
    const int64_t at = w.length;
    if (doc.isUnicode) {
      for (size_t i = 0; i + 1 < n; i += 2)
        Push(w, static_cast<char16_t>(buffer[i] | (buffer[i + 1] << 8)), at + static_cast<int64_t>(i / 2));
      w.length += static_cast<int64_t>(n / 2);
      held = 0;  // an odd last byte of the file is not a unit
    } else if (doc.isUtf8) {
      const size_t left = AppendUtf8(w, buffer, n, at, atEnd);
      w.length += static_cast<int64_t>(n - left);
      std::copy(buffer + (n - left), buffer + n, buffer);
      held = left;
    } else {
      for (size_t i = 0; i < n; ++i) Push(w, buffer[i], at + static_cast<int64_t>(i));
      w.length += static_cast<int64_t>(n);
    }
    if (atEnd) break;
    if (linesWanted > 0) {
      CountLines(counter, w.chars);
      if (counter.lines >= linesWanted && held == 0) break;
      continue;
    }
    if (charsAtReach < 0 && w.length >= reachUnits) charsAtReach = static_cast<int64_t>(w.chars.size());
    if (charsAtReach >= 0 && static_cast<int64_t>(w.chars.size()) - charsAtReach > enough && held == 0)
      break;
  }
  doc.window = std::move(w);
  return 0;
}

void AfterBuild(ViewerDocument& doc) {
  BuildLineIndex(doc);
  BuildWindowMatches(doc);
}

}  // namespace

int64_t ForwardReach(const ViewerDocument& doc) {
  const int64_t rows = static_cast<int64_t>(std::max(doc.geometry.textRows, 0)) + 1;
  if (doc.unwrapped) return rows * kMaxColumn;
  return rows * 2 * std::max(doc.geometry.textColumns, 1);
}

int64_t BackwardReach(const ViewerDocument& doc) {
  return doc.unwrapped ? kBackwardReach : std::min(kBackwardReach, ForwardReach(doc));
}

int BuildTextWindowForward(ViewerDocument& doc) {
  const int result = Fill(doc, doc.viewTop, 0);
  if (result != 0) return result;
  doc.firstLine = 0;
  AfterBuild(doc);
  return 0;
}

int BuildFirstTextWindow(ViewerDocument& doc) {
  // The rows shown, the one shown in part and the one after it.
  const int result = Fill(doc, doc.viewTop, 0, static_cast<int64_t>(std::max(doc.geometry.textRows, 0)) + 2);
  if (result != 0) return result;
  doc.firstLine = 0;
  AfterBuild(doc);
  return 0;
}

int BuildTextWindowBackward(ViewerDocument& doc) {
  const int64_t base = std::max<int64_t>(doc.viewTop - BackwardReach(doc), 0);
  const int result = Fill(doc, base, doc.viewTop - base);
  if (result != 0) return result;
  AfterBuild(doc);
  doc.firstLine = LineContaining(doc, doc.viewTop - base);
  return 0;
}

void BuildLineIndex(ViewerDocument& doc) {
  const TextWindow& w = doc.window;
  const int64_t limit = doc.unwrapped && !doc.hexMode ? kMaxColumn : std::max(doc.geometry.textColumns, 1);
  auto& lines = doc.lines;
  lines.clear();
  lines.push_back({0, 0});
  const int64_t count = static_cast<int64_t>(w.chars.size());
  auto breakAt = [&](int64_t index) {
    lines.push_back({index, index < count ? w.offsets[static_cast<size_t>(index)] : w.length});
  };
  int64_t width = 0;
  for (int64_t i = 0; i < count; ++i) {
    const char16_t c = w.chars[static_cast<size_t>(i)];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < count && w.chars[static_cast<size_t>(i + 1)] == u'\n') ++i;
      breakAt(i + 1);
      width = 0;
      continue;
    }
    // A low surrogate belongs with the character before it.
    if (c >= 0xDC00 && c <= 0xDFFF && i > 0) continue;
    if (width == limit) {
      breakAt(i);
      width = 0;
    }
    ++width;
  }
  if (lines.back().index != count) breakAt(count);
  doc.lineCount = static_cast<int64_t>(lines.size()) - 1;
}

int64_t LineContaining(const ViewerDocument& doc, int64_t offset) {
  const auto& lines = doc.lines;
  if (doc.lineCount <= 0) return 0;
  // Last line (not the final record) starting at or before offset.
  auto it = std::upper_bound(lines.begin(), lines.end() - 1, offset,
                             [](int64_t value, const LineRecord& r) { return value < r.offset; });
  if (it == lines.begin()) return 0;
  return static_cast<int64_t>(it - lines.begin()) - 1;
}

}  // namespace nrv
