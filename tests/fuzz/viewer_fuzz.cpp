// Random bytes, sizes and geometry through encoding detection, both window builds, the line
// index and the three layouts. Every character's offset must lie inside the file and increase
// (the two halves of a UTF-8 surrogate pair share theirs), and lines must cover the window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "viewer/encoding.h"
#include "viewer/text_window.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_screen.h"
#include "viewer/viewer_search.h"
#include "viewer/viewer_selection.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckWindow(const nrv::ViewerDocument& doc) {
  const nrv::TextWindow& w = doc.window;
  const int unit = doc.isUnicode ? 2 : 1;
  Require(w.chars.size() == w.offsets.size());
  Require(w.base >= 0 && (w.base + w.length) * unit <= doc.fileSize);
  for (size_t i = 0; i < w.offsets.size(); ++i) {
    Require(w.offsets[i] >= 0 && w.offsets[i] < w.length);
    Require((w.base + w.offsets[i]) * unit < doc.fileSize);
    if (i == 0) continue;
    if (w.offsets[i] == w.offsets[i - 1])
      Require(doc.isUtf8 && w.chars[i] >= 0xDC00 && w.chars[i] <= 0xDFFF);
    else
      Require(w.offsets[i] > w.offsets[i - 1]);
  }
  const auto& lines = doc.lines;
  Require(!lines.empty() && lines.front().index == 0);
  Require(doc.lineCount == static_cast<int64_t>(lines.size()) - 1);
  Require(lines.back().index == static_cast<int64_t>(w.chars.size()));
  for (size_t k = 1; k < lines.size(); ++k) {
    Require(lines[k].index > lines[k - 1].index);
    Require(lines[k].offset > lines[k - 1].offset || lines[k].index == static_cast<int64_t>(w.chars.size()));
  }
  Require(doc.firstLine >= 0 && doc.firstLine <= doc.lineCount);
}

void CheckScreen(const nrv::ViewerDocument& doc, const nrv::ViewerScreen& screen) {
  Require(screen.rows.size() <= static_cast<size_t>(doc.geometry.textRows) + 1);
  Require(doc.screenEnd >= 0 && doc.screenEnd <= doc.fileSize);
  Require(doc.viewTop >= 0);
  for (size_t k = 0; k < doc.search.matches.size(); ++k) {
    const nrv::MatchSpan& m = doc.search.matches[k];
    Require(m.from >= 0 && m.to > m.from);
    if (k) Require(m.from >= doc.search.matches[k - 1].from && m.to >= doc.search.matches[k - 1].to);
  }
  for (const nrv::ScreenRow& row : screen.rows)
    Require(row.hits.empty() || row.hits.size() == row.cells.size());
}

// The block search against a plain one over the whole buffer, both ways.
void CheckSearch(const nrv::ViewerDocument& doc, const uint8_t* bytes, size_t length, const uint8_t* data) {
  if (length == 0) return;
  const std::string_view text(reinterpret_cast<const char*>(bytes), length);
  const size_t m = 1 + data[7] % 16;
  const size_t from = (static_cast<size_t>(data[4]) * 131) % length;
  if (from + m > length) return;
  const std::string pattern(text.substr(from, m));
  const size_t start = (static_cast<size_t>(data[5]) * 257 + data[6]) % (length + 1);
  nrv::SearchRun run;
  run.file = &doc.file;
  run.fileSize = doc.fileSize;
  const size_t forward = text.find(pattern, start);
  Require(nrv::FindBytes(run, static_cast<int64_t>(start), pattern) ==
          (forward == std::string_view::npos ? -1 : static_cast<int64_t>(forward)));
  run.backward = true;
  const size_t backward = start < m ? std::string_view::npos : text.rfind(pattern, start - m);
  Require(nrv::FindBytes(run, static_cast<int64_t>(start), pattern) ==
          (backward == std::string_view::npos ? -1 : static_cast<int64_t>(backward)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const uint8_t* bytes = data + 8;
  const size_t length = size - 8;
  nrv::DetectEncoding(bytes, length, true);
  nrv::DetectEncoding(bytes, length, false);

  nrv::ViewerDocument doc;
  doc.geometry.textColumns = 1 + data[0] % 200;
  doc.geometry.textRows = 1 + data[1] % 60;
  doc.geometry.fontCharSet = data[2] & 1 ? nrv::kOemFontCharSet : 0;
  doc.characterSet = data[2] >> 1 & 3;
  doc.unwrapped = data[2] & 8;
  if (data[5] & 1) doc.search.text = u"a\u0416";
  if (data[5] & 2) {  // a hex pattern, marked in decoded text by its bytes
    doc.search.text = data[5] & 4 ? u"0D 0A" : u"D0";
    doc.search.hexSearch = true;
  }
  nrv::OpenDocumentMemory(doc, bytes, static_cast<int64_t>(length));
  if (data[3] & 4) {  // the menu's choices, whatever detection said
    doc.isText = true;
    doc.isUnicode = data[3] & 1;
    doc.isUtf8 = !doc.isUnicode && (data[3] & 2);
  }
  CheckSearch(doc, bytes, length, data);
  const int unit = doc.isUnicode ? 2 : 1;
  const int64_t units = static_cast<int64_t>(length) / unit;

  doc.viewTop = units == 0 ? 0 : static_cast<int64_t>(data[4] * 257 + data[5]) % units;
  if (doc.isText) {
    Require(nrv::BuildTextWindowForward(doc) == 0);
    CheckWindow(doc);
    Require(nrv::BuildTextWindowBackward(doc) == 0);
    CheckWindow(doc);
    nrv::BuildLineIndex(doc);
    CheckWindow(doc);
  }
  for (int step = 0; step < 3; ++step) {
    const nrv::ViewerScreen screen = nrv::LayoutScreen(doc);
    CheckScreen(doc, screen);
    if (doc.isText && !doc.hexMode) CheckWindow(doc);
    nrv::SelectionRange all;
    nrv::SelectAll(all, doc.geometry);
    nrv::SelectionText(doc, screen, all);
    switch ((data[6] >> (2 * step)) & 3) {
      case 0: nrv::MovePages(doc, 1); break;
      case 1: nrv::MoveEnd(doc, -1); break;
      case 2: nrv::MoveLines(doc, -1); break;
      case 3: nrv::SetHexMode(doc, !doc.hexMode); break;
    }
  }
  return 0;
}
