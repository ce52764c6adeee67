#pragma once
// The tab row of a panel: drawing it, and which tab a point of the panel window is on.
#include <cstdint>

#include "core/panel.h"
#include "panel/panel_view.h"

namespace nrv {

void DrawTabRow(const Panel& panel, NativeDc dc);

// What a point of the panel window is on: kNotOnTabRow, kTabRowSpace, or a tab's index.
inline constexpr int32_t kNotOnTabRow = -2;
inline constexpr int32_t kTabRowSpace = -1;
int32_t TabRowHit(const Panel& panel, int x, int y);

}  // namespace nrv
