#pragma once
// Selection by screen cells and the text it copies.
#include <vector>

#include "viewer/viewer_document.h"
#include "viewer/viewer_screen.h"

namespace nrv {

struct ScreenCell {
  int column = -1;
  int row = -1;
};

// Both ends -1 when nothing is selected.
struct SelectionRange {
  ScreenCell start;
  ScreenCell end;
};

// The cell under a client point, the point first clamped to the client area.
ScreenCell CellAt(const ViewerGeometry& g, int x, int y, int clientWidth, int clientHeight);

// Button down: both ends at the cell; a row at or below textRows selects nothing.
void BeginSelection(SelectionRange& range, ScreenCell cell, int textRows);
void SelectAll(SelectionRange& range, const ViewerGeometry& g);
void Deselect(SelectionRange& range);

// Start and end in reading order.
SelectionRange Ordered(const SelectionRange& range);
bool IsCellSelected(const SelectionRange& range, int column, int row);

// What Copy puts on the clipboard: the selected cells of each row in wrapped Text and Dump
// mode, whole rows in unwrapped Text and Hex mode; CR LF after every row of the range.
Text SelectionText(const ViewerDocument& doc, const ViewerScreen& screen, const SelectionRange& range);

}  // namespace nrv
