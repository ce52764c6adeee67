#include "viewer/viewer_selection.h"

#include <algorithm>
#include <utility>

namespace nrv {

ScreenCell CellAt(const ViewerGeometry& g, int x, int y, int clientWidth, int clientHeight) {
  x = std::clamp(x, 0, std::max(clientWidth - 1, 0));
  y = std::clamp(y, 0, std::max(clientHeight - 1, 0));
  return {x / g.charWidth, (y - kStatusLineHeight) / g.charHeight};
}

void BeginSelection(SelectionRange& range, ScreenCell cell, int textRows) {
  range.start = range.end = cell;
  if (cell.row >= textRows) range.start.row = -1;
}

void SelectAll(SelectionRange& range, const ViewerGeometry& g) {
  range.start = {0, 0};
  range.end = {g.textColumns, g.textRows};
}

void Deselect(SelectionRange& range) { range = SelectionRange{}; }

SelectionRange Ordered(const SelectionRange& range) {
  SelectionRange r = range;
  if (std::make_pair(r.end.row, r.end.column) < std::make_pair(r.start.row, r.start.column))
    std::swap(r.start, r.end);
  return r;
}

bool IsCellSelected(const SelectionRange& range, int column, int row) {
  if (range.start.row < 0 || range.end.row < 0) return false;
  const SelectionRange r = Ordered(range);
  const auto cell = std::make_pair(row, column);
  return std::make_pair(r.start.row, r.start.column) <= cell && cell <= std::make_pair(r.end.row, r.end.column);
}

Text SelectionText(const ViewerDocument& doc, const ViewerScreen& screen, const SelectionRange& range) {
  Text text;
  if (range.start.row < 0 || range.end.row < 0) return text;
  const SelectionRange r = Ordered(range);
  const ViewerMode mode = ModeOf(doc);
  const bool wholeRows = mode == kModeHex || (mode == kModeText && doc.unwrapped);
  const int last = std::min(r.end.row, static_cast<int>(screen.rows.size()) - 1);
  for (int row = r.start.row; row <= last; ++row) {
    const Text& cells = screen.rows[static_cast<size_t>(row)].cells;
    if (wholeRows) {
      text += cells;
    } else {
      const size_t from = row == r.start.row ? static_cast<size_t>(r.start.column) : 0;
      const size_t to = row == r.end.row ? static_cast<size_t>(r.end.column) + 1 : cells.size();
      if (from < cells.size()) text.append(cells, from, std::min(to, cells.size()) - from);
    }
    text += u"\r\n";
  }
  return text;
}

}  // namespace nrv
