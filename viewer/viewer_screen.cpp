#include "viewer/viewer_screen.h"

#include <algorithm>
#include <cstdio>

#include "viewer/text_window.h"
#include "viewer/viewer_search.h"

namespace nrv {

namespace {

constexpr int kTabStop = 8;

char16_t Shown(const ViewerDocument& doc, char16_t c) {
  if (doc.isUnicode || doc.isUtf8) return c;
  return DecodeByte(static_cast<uint8_t>(c), doc.characterSet, doc.geometry.fontCharSet);
}

// Steps a Text drawing takes before it draws: re-reads and the pending line move.
int SettleTextView(ViewerDocument& doc) {
  const int rows = doc.geometry.textRows;
  int result = 0;
  if (doc.positionRestored || doc.reread || (doc.lineDelta < 0 && doc.firstLine + doc.lineDelta < 1)) {
    result = BuildTextWindowBackward(doc);
  } else if (doc.lineDelta > 0 && doc.firstLine + doc.lineDelta + rows > doc.lineCount &&
             doc.screenEnd < doc.fileSize) {
    result = BuildTextWindowForward(doc);
  }
  doc.firstLine += doc.lineDelta;
  const int64_t last = std::max<int64_t>(doc.lineCount - rows, 0);
  if (doc.firstLine > last || doc.snapToEnd) doc.firstLine = last;
  doc.firstLine = std::max<int64_t>(doc.firstLine, 0);
  doc.positionRestored = doc.reread = doc.snapToEnd = false;
  doc.lineDelta = 0;
  doc.viewTop = doc.window.base + doc.lines[static_cast<size_t>(doc.firstLine)].offset;
  return result;
}

void LayoutText(ViewerDocument& doc, ViewerScreen& screen) {
  if (doc.lines.empty()) BuildLineIndex(doc);
  screen.result = SettleTextView(doc);
  const TextWindow& w = doc.window;
  const int rows = doc.geometry.textRows;
  for (int r = 0; r <= rows; ++r) {
    const int64_t line = doc.firstLine + r;
    if (line >= doc.lineCount) break;
    const int64_t from = doc.lines[static_cast<size_t>(line)].index;
    const int64_t to = doc.lines[static_cast<size_t>(line + 1)].index;
    ScreenRow row;
    row.firstIndex = from;
    for (int64_t i = from; i < to; ++i) {
      const char16_t c = w.chars[static_cast<size_t>(i)];
      if (c == u'\r' || c == u'\n') continue;
      const size_t cells = row.cells.size();
      if (c == u'\t')
        row.cells.append(doc.unwrapped ? kTabStop - cells % kTabStop : 1, u' ');
      else
        row.cells += Shown(doc, c);
      row.hits.resize(row.cells.size(), IsMatched(doc.search.matches, i));
    }
    if (doc.unwrapped) {
      const int64_t tabs = std::count(w.chars.begin() + from, w.chars.begin() + to, u'\t');
      doc.widestLine = static_cast<int>(std::max<int64_t>(doc.widestLine, to - from + 8 * tabs));
      const size_t cut = std::min<size_t>(row.cells.size(), static_cast<size_t>(doc.column));
      row.cells.erase(0, cut);
      row.hits.erase(row.hits.begin(), row.hits.begin() + static_cast<std::ptrdiff_t>(cut));
    }
    screen.rows.push_back(std::move(row));
  }
  const int64_t endLine = std::min<int64_t>(doc.firstLine + rows, doc.lineCount);
  const int unit = UnitSize(doc);
  doc.screenEnd = (w.base + doc.lines[static_cast<size_t>(endLine)].offset) * unit;
}

// True when it has built the search's matches itself (a hex pattern over the bytes it read).
bool LayoutDump(ViewerDocument& doc, ViewerScreen& screen) {
  const int columns = doc.geometry.textColumns;
  const int unit = UnitSize(doc);
  const size_t units = static_cast<size_t>(doc.geometry.textRows + 1) * static_cast<size_t>(columns);
  std::vector<uint8_t> bytes(units * static_cast<size_t>(unit));
  const int64_t read = ReadViewerFile(doc.file, doc.viewTop * unit, bytes.data(), bytes.size());
  if (read < 0) {
    screen.result = kViewerReadError;
    return false;
  }
  const size_t count = static_cast<size_t>(read) / static_cast<size_t>(unit);
  for (size_t i = 0; i < count; ++i) {
    const char16_t c = unit == 2 ? DecodeUnit(static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)),
                                              doc.characterSet, doc.geometry.fontCharSet)
                                 : DecodeByte(bytes[i], doc.characterSet, doc.geometry.fontCharSet);
    screen.buffer += c;
  }
  for (size_t at = 0; at < count; at += static_cast<size_t>(columns))
    screen.rows.push_back({screen.buffer.substr(at, static_cast<size_t>(columns)), static_cast<int64_t>(at), {}});
  doc.screenEnd = (doc.viewTop + static_cast<int64_t>(count)) * unit;
  if (!doc.search.hexSearch || doc.search.text.empty()) return false;
  BuildDumpHexMatches(doc.search.text, bytes.data(), count * static_cast<size_t>(unit), unit, doc.search.matches);
  return true;
}

void LayoutHex(ViewerDocument& doc, ViewerScreen& screen) {
  const size_t size = static_cast<size_t>(doc.geometry.textRows + 1) * kHexRowBytes;
  std::vector<uint8_t> bytes(size);
  const int64_t read = ReadViewerFile(doc.file, doc.viewTop, bytes.data(), size);
  if (read < 0) {
    screen.result = kViewerReadError;
    return;
  }
  for (int64_t at = 0; at < read; at += kHexRowBytes) {
    const int count = static_cast<int>(std::min<int64_t>(kHexRowBytes, read - at));
    screen.rows.push_back({HexRow(doc.viewTop + at, bytes.data() + at, count, doc.characterSet,
                                  doc.geometry.fontCharSet),
                           at, {}});
  }
  for (int64_t i = 0; i < read; ++i)
    screen.buffer += DecodeByte(bytes[static_cast<size_t>(i)], doc.characterSet, doc.geometry.fontCharSet);
  doc.screenEnd = doc.viewTop + read;
}

}  // namespace

Text HexRow(int64_t offset, const uint8_t* bytes, int count, int characterSet, int fontCharSet) {
  char head[32];
  std::snprintf(head, sizeof head, "%010llX: ", static_cast<unsigned long long>(offset));
  Text row = Ascii(head);
  for (int i = 0; i < kHexRowBytes; ++i) {
    if (i == 8) {
      row += fontCharSet == kOemFontCharSet ? DecodeByte(0xB3, kCharacterSetOem, kOemFontCharSet)
                                            : char16_t(0x2502);
      row += u' ';
    }
    if (i < count) {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%02X ", bytes[i]);
      row += Ascii(pair);
    } else {
      row += u"   ";
    }
  }
  row += u' ';
  // Offsets past ten digits push every later column right by the same amount.
  for (int i = 0; i < count; ++i) row += DecodeByte(bytes[i], characterSet, fontCharSet);
  return row;
}

ViewerScreen LayoutScreen(ViewerDocument& doc) {
  ViewerScreen screen;
  if (doc.geometry.textColumns < 1 || doc.geometry.textRows < 1) return screen;
  switch (ModeOf(doc)) {
    case kModeText:
      LayoutText(doc, screen);
      return screen;
    case kModeDump:
      if (LayoutDump(doc, screen)) return screen;
      break;
    case kModeHex:
      LayoutHex(doc, screen);
      break;
  }
  BuildShownMatches(doc, screen.buffer, doc.search.matches);
  return screen;
}

int64_t ScrollScale(int64_t fileSize) {
  if (fileSize < 0x7FFFFFFF) return 1;
  int64_t scale = 10;
  while (fileSize / scale >= 0x7FFFFFFF) scale *= 10;
  return scale;
}

ScrollBarState VerticalScrollBar(const ViewerDocument& doc) {
  const int64_t scale = ScrollScale(doc.fileSize);
  const int64_t top = doc.viewTop * UnitSize(doc);
  ScrollBarState bar;
  bar.range = static_cast<int32_t>(doc.fileSize / scale);
  bar.page = static_cast<int32_t>(std::max<int64_t>(doc.screenEnd - top, 0) / scale);
  bar.position = static_cast<int32_t>(top / scale);
  return bar;
}

ScrollBarState HorizontalScrollBar(const ViewerDocument& doc) {
  ScrollBarState bar;
  bar.range = doc.widestLine;
  bar.page = doc.widestLine / (doc.widestLine / std::max(doc.geometry.textColumns, 1) + 1);
  bar.position = doc.column;
  return bar;
}

void ApplyGeometry(ViewerDocument& doc, const ViewerGeometry& geometry) {
  doc.geometry = geometry;
  if (ModeOf(doc) != kModeText || doc.window.chars.empty()) return;
  BuildLineIndex(doc);
  doc.firstLine = LineContaining(doc, doc.viewTop - doc.window.base);
}

}  // namespace nrv
