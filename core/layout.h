#pragma once
// How a panel's client area divides into title line, item cells and status area.
#include <cstdint>

#include "core/panel.h"

namespace nrv {

// What the drawing code measures before each full drawing.
struct LayoutInput {
  int32_t itemCount = 0;
  int32_t fontHeight = 0;       // character height of the item font
  int32_t titleFontHeight = 0;  // character height of the title and status font
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
};

struct CellRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

// Offsets inside a cell, the same for every cell of the page.
struct CellContent {
  int32_t iconTop = 0;   // the icon is drawn at x 0
  int32_t textLeft = 0;  // the icon area is this wide
  int32_t textTop = 0;
};

// Fills the layout fields of the panel from the input and the icon and status-area settings.
// -1 when a font has no height or the window is too small for one icon or one row: the fields
// computed up to that point are set, the remaining ones stay as they were.
int ComputeLayout(Panel& panel, const LayoutInput& input);

// Cell k of the page, column by column: item top + k goes there.
CellRect CellOfPage(const Panel& panel, int32_t k);

CellContent CellContentOf(const Panel& panel);

// The view mode used for layout and drawing: the temporary panel is always Medium (one
// column) whatever its viewMode says.
int32_t EffectiveViewMode(const Panel& panel);

}  // namespace nrv
