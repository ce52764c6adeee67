#pragma once
// How a panel's client area divides into title line, item cells and status area.
#include <cstdint>

#include "core/panel.h"

namespace nrv {

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

// Fills the layout fields of the panel; -1 when the window is too small for one row or one
// icon (the remaining fields stay as they were).
int ComputeLayout(Panel& panel, const LayoutInput& input);

// Cell k of the page, column by column.
CellRect CellOfPage(const Panel& panel, int32_t k);

// The view mode used for drawing: the temporary panel is always Medium with one column.
int32_t EffectiveViewMode(const Panel& panel);

}  // namespace nrv
