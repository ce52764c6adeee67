#include "core/layout.h"

#include <algorithm>

#include "core/panel_context.h"

namespace nrv {

int ComputeLayout(Panel& panel, const LayoutInput& input) {
  const Settings& settings = SettingsOf(panel);
  panel.itemCount = input.itemCount;
  panel.capacity = 0;
  panel.iconSize = !settings.PanelShowIcons ? 0 : (settings.PanelLargeIcons ? 32 : 16);

  panel.fontHeight = input.fontHeight;
  panel.rowHeight = panel.iconSize == 0 ? panel.fontHeight
                                        : std::max(panel.fontHeight + 1, panel.iconSize + 3);
  if (panel.rowHeight < 1) return -1;
  panel.titleFontHeight = input.titleFontHeight;
  if (panel.titleFontHeight < 1) return -1;

  // A stored column count outside 2 to 4 must not divide by zero.
  panel.columns = EffectiveViewMode(panel) == kViewBrief ? std::max(panel.briefColumns, 1) : 1;
  // 1.3 times the font height, truncated; integer arithmetic keeps 20 -> 26 exact.
  panel.titleHeight = static_cast<int32_t>(int64_t{panel.titleFontHeight} * 13 / 10);
  // The tab row is a title line with a frame line above and below its labels.
  panel.tabRowHeight = panel.tabRowShown ? panel.titleHeight + 4 : 0;

  panel.statusHeight =
      settings.PanelShowPanelStatusbar ? std::max(3 * (panel.titleFontHeight + 2), 36) : 0;
  const int32_t belowTitle = input.clientHeight - panel.tabRowHeight - panel.titleHeight;
  panel.statusHidden = belowTitle - panel.rowHeight < panel.statusHeight ? 1 : 0;
  if (panel.statusHidden) panel.statusHeight = 0;

  panel.firstRowY = panel.tabRowHeight + panel.titleHeight;
  panel.firstColumnX = 1;
  panel.clientWidth = input.clientWidth - 2;
  if (panel.clientWidth < panel.iconSize) return -1;

  panel.itemAreaHeight = belowTitle - panel.statusHeight;
  if (panel.itemAreaHeight < panel.rowHeight) return -1;

  panel.rowsPerColumn = panel.itemAreaHeight / panel.rowHeight;
  panel.columnGap = 5;
  panel.capacity = panel.columns * panel.rowsPerColumn;
  panel.columnWidth = panel.clientWidth / panel.columns - panel.columnGap;
  return 0;
}

CellRect CellOfPage(const Panel& panel, int32_t k) {
  if (panel.rowsPerColumn < 1) return {};
  const int32_t column = k / panel.rowsPerColumn;
  const int32_t row = k % panel.rowsPerColumn;
  return {panel.firstColumnX + column * (panel.columnWidth + panel.columnGap),
          panel.firstRowY + row * panel.rowHeight, panel.columnWidth, panel.rowHeight};
}

CellContent CellContentOf(const Panel& panel) {
  return {panel.rowHeight / 2 - panel.iconSize / 2, panel.iconSize + 2,
          panel.rowHeight / 2 - panel.fontHeight / 2};
}

int32_t EffectiveViewMode(const Panel& panel) {
  return KindOf(panel) == LocationKind::Temporary ? static_cast<int32_t>(kViewMedium) : panel.viewMode;
}

}  // namespace nrv
