#include "viewer/viewer_moves.h"

#include <algorithm>

#include "viewer/text_window.h"
#include "viewer/viewer_screen.h"

namespace nrv {

namespace {

int64_t RoundUp16(int64_t value) { return (std::max<int64_t>(value, 0) + 15) / 16 * 16; }

void Moved(ViewerDocument& doc) { doc.search.start = doc.viewTop; }

void DumpBy(ViewerDocument& doc, int64_t units) {
  const int unit = UnitSize(doc);
  const int64_t page = static_cast<int64_t>(doc.geometry.textColumns) * doc.geometry.textRows;
  doc.viewTop += units;
  if (units > 0) {
    const int64_t lastTop = doc.fileSize - page * unit;
    if (doc.viewTop * unit > lastTop) doc.viewTop = lastTop / unit;
  }
  doc.viewTop = std::max<int64_t>(doc.viewTop, 0);
}

}  // namespace

void MoveLines(ViewerDocument& doc, int direction) {
  const ViewerGeometry& g = doc.geometry;
  switch (ModeOf(doc)) {
    case kModeText:
      doc.lineDelta = direction;
      return;
    case kModeDump:
      DumpBy(doc, static_cast<int64_t>(direction) * g.textColumns);
      break;
    case kModeHex:
      if (direction > 0) {
        if (doc.viewTop + static_cast<int64_t>(g.textRows) * 16 <= doc.fileSize) doc.viewTop += 16;
      } else {
        doc.viewTop = std::max<int64_t>(doc.viewTop - 16, 0);
      }
      break;
  }
  Moved(doc);
}

void MovePages(ViewerDocument& doc, int direction) {
  const ViewerGeometry& g = doc.geometry;
  switch (ModeOf(doc)) {
    case kModeText:
      doc.lineDelta = static_cast<int64_t>(direction) * (g.textRows - 1);
      return;
    case kModeDump:
      DumpBy(doc, static_cast<int64_t>(direction) * g.textColumns * g.textRows);
      break;
    case kModeHex: {
      const int64_t step = static_cast<int64_t>(g.textRows - 1) * 16;
      if (direction > 0) {
        doc.viewTop += step;
        const int64_t lastTop = doc.fileSize - static_cast<int64_t>(g.textRows) * 16;
        if (doc.viewTop > lastTop) doc.viewTop = RoundUp16(lastTop);
      } else {
        doc.viewTop = std::max<int64_t>(doc.viewTop - step, 0);
      }
      break;
    }
  }
  Moved(doc);
}

void MoveHome(ViewerDocument& doc) {
  doc.viewTop = 0;
  doc.column = 0;
  doc.firstLine = 0;
  doc.lineDelta = 0;
  if (ModeOf(doc) == kModeText) doc.reread = true;
  Moved(doc);
}

bool FileGrew(const ViewerDocument& doc, int64_t sizeByName) {
  const int64_t size = sizeByName < 0 ? doc.fileSize : sizeByName;
  return size != doc.fileSize || doc.screenEnd < doc.fileSize;
}

bool MoveEnd(ViewerDocument& doc, int64_t sizeByName) {
  const ViewerGeometry& g = doc.geometry;
  const int unit = UnitSize(doc);
  const int64_t before = doc.viewTop;
  switch (ModeOf(doc)) {
    case kModeHex:
      doc.viewTop = RoundUp16(doc.fileSize - static_cast<int64_t>(g.textRows) * 16);
      break;
    case kModeText:
      if (!FileGrew(doc, sizeByName)) return false;
      if (sizeByName >= 0) doc.fileSize = sizeByName;
      doc.viewTop = std::max<int64_t>((doc.fileSize - 2) / unit, 0);
      doc.reread = doc.snapToEnd = true;
      doc.column = 0;
      Moved(doc);
      return true;
    case kModeDump:
      doc.viewTop = std::max<int64_t>(
          (doc.fileSize - static_cast<int64_t>(g.textColumns) * g.textRows * unit) / unit, 0);
      break;
  }
  doc.column = 0;
  Moved(doc);
  return doc.viewTop != before;
}

void MoveColumn(ViewerDocument& doc, int delta) {
  if (ModeOf(doc) != kModeText || !doc.unwrapped) return;
  doc.column = std::clamp(doc.column + delta, 0, kMaxColumn);
}

void MoveToThumb(ViewerDocument& doc, int64_t thumb) {
  const int unit = UnitSize(doc);
  const int64_t top = std::clamp<int64_t>(thumb * ScrollScale(doc.fileSize), 0, doc.fileSize) / unit;
  doc.viewTop = top;
  Moved(doc);
  if (ModeOf(doc) != kModeText) return;
  doc.lineDelta = 0;
  const TextWindow& w = doc.window;
  const int64_t inWindow = top - w.base;
  if (inWindow < 0 || inWindow >= w.length || doc.lines.empty()) {
    doc.reread = true;
    return;
  }
  // The first line starting at or after the position.
  int64_t line = LineContaining(doc, inWindow);
  if (doc.lines[static_cast<size_t>(line)].offset < inWindow) ++line;
  doc.firstLine = std::min(line, doc.lineCount);
  if (doc.firstLine + doc.geometry.textRows > doc.lineCount) doc.reread = true;
  doc.viewTop = w.base + doc.lines[static_cast<size_t>(doc.firstLine)].offset;
}

void SetHexMode(ViewerDocument& doc, bool on) {
  if (doc.hexMode == on) return;
  if (doc.isUnicode) doc.viewTop = on ? doc.viewTop * 2 : doc.viewTop / 2;
  doc.hexMode = on;
  if (!on && doc.isText) doc.reread = true;
  Moved(doc);
}

void SetUnwrapped(ViewerDocument& doc, bool on) {
  if (ModeOf(doc) != kModeText) return;
  doc.unwrapped = on;
  if (!on) doc.column = 0;
  doc.reread = true;
}

void ChooseCharacterSet(ViewerDocument& doc, int choice) {
  const int unit = UnitSize(doc);
  if (choice == kCharacterSetUnicode) {
    if (doc.isUnicode) return;
    doc.isUnicode = true;
    doc.isUtf8 = false;
    if (!doc.hexMode) doc.viewTop /= 2;
  } else if (choice == kCharacterSetUtf8) {
    if (doc.isUtf8) return;
    doc.viewTop *= unit;
    doc.isUnicode = false;
    doc.isUtf8 = true;
  } else {
    doc.characterSet = choice;
    doc.viewTop *= unit;
    doc.isUnicode = doc.isUtf8 = false;
  }
  if (ModeOf(doc) == kModeText) doc.reread = true;
}

void NextCharacterSet(ViewerDocument& doc) { doc.characterSet = (doc.characterSet + 1) % 3; }

}  // namespace nrv
