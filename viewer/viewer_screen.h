#pragma once
// What one paint shows: the rows of the current mode as the characters to draw, with the state
// changes drawing makes (window re-reads, firstLine, viewTop, screenEnd, widestLine).
#include <cstdint>
#include <vector>

#include "viewer/viewer_document.h"

namespace nrv {

struct ScreenRow {
  Text cells;              // one character per screen column
  int64_t firstIndex = 0;  // index of cells[0] in the laid-out buffer, for highlighting
  // Text mode: which cells show a search hit (a tab's spaces and the columns scrolled away
  // leave no one-to-one mapping from cells to characters).
  std::vector<bool> hits;
};

struct ViewerScreen {
  std::vector<ScreenRow> rows;  // textRows + 1 at most (the last one shows in part)
  // The characters the rows came from (Dump and Hex: as drawn), which matches index.
  Text buffer;
  int result = 0;  // 0, or kViewerReadError when the file could not be read
};

// Applies the pending moves and lays out textRows + 1 rows of the current mode.
ViewerScreen LayoutScreen(ViewerDocument& doc);

inline constexpr int kHexRowBytes = 16;
inline constexpr int kHexTextColumn = 63;

// "%010X: ", two groups of eight "%02X " split by a bar and a space, then at column 63 the
// bytes as characters. A short last row keeps the columns.
Text HexRow(int64_t offset, const uint8_t* bytes, int count, int characterSet, int fontCharSet);

struct ScrollBarState {
  int32_t range = 0;
  int32_t page = 0;
  int32_t position = 0;
};
// 1, 10 from 0x7FFFFFFF bytes on, and further powers of ten past what 31 bits hold.
int64_t ScrollScale(int64_t fileSize);
// Vertical bar in bytes, after a layout.
ScrollBarState VerticalScrollBar(const ViewerDocument& doc);
// Horizontal bar of unwrapped Text mode, in characters.
ScrollBarState HorizontalScrollBar(const ViewerDocument& doc);

// A new font or client size. In Text mode the lines are cut again for the new width and the
// line holding viewTop is the first one shown.
void ApplyGeometry(ViewerDocument& doc, const ViewerGeometry& geometry);

}  // namespace nrv
