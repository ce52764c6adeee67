#include "shell/tab_row_win32.h"

#include <windows.h>

#include "core/panel_context.h"
#include "core/panel_tabs.h"
#include "panel/panel_paint_win32.h"
#include "platform/win32/wide.h"
#include "shell/application.h"

namespace nrv {
namespace {

// A tab is never wider than eight title lines are high, so a few tabs stay readable labels
// rather than stretching across the whole row.
int32_t MaxTabWidth(const Panel& panel) { return 8 * std::max(panel.titleHeight, 1); }

int32_t RowWidth(const Panel& panel) { return PanelClientSize(panel).cx - 1; }

void FillColour(HDC dc, const RECT& area, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace

int32_t TabRowHit(const Panel& panel, int x, int y) {
  if (panel.tabRowHeight <= 0 || y < 0 || y >= panel.tabRowHeight) return kNotOnTabRow;
  return TabAtX(TabCount(TabsOf(panel.side)), RowWidth(panel), MaxTabWidth(panel), x);
}

void DrawTabRow(const Panel& panel, NativeDc native) {
  HDC dc = static_cast<HDC>(native);
  const PanelTabs& tabs = TabsOf(panel.side);
  const Settings& settings = SettingsOf(panel);
  const int32_t rowWidth = RowWidth(panel);
  const int32_t height = panel.tabRowHeight;
  FillColour(dc, RECT{0, 0, rowWidth, height}, settings.ClrPanelTitleBackground);
  const int32_t count = TabCount(tabs);
  const int32_t width = TabCellWidth(count, rowWidth, MaxTabWidth(panel));
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, static_cast<HFONT>(TitleFontOf(panel)));
  const auto measure = [dc](TextView text) {
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &extent);
    return static_cast<int32_t>(extent.cx);
  };
  constexpr int32_t kPadding = 3;
  for (int32_t i = 0; i < count; ++i) {
    const bool current = i == tabs.current;
    const RECT cell{i * width + 1, 1, (i + 1) * width - 1, height - 1};
    ::SetTextColor(dc, current ? settings.ClrPanelCursorText : settings.ClrPanelText);
    FillColour(dc, cell, current ? settings.ClrPanelCursorBackground : settings.ClrPanelBackground);
    const Text label = ElideTabLabel(TabLabel(tabs.tabs[static_cast<size_t>(i)]),
                                     std::max<int32_t>(cell.right - cell.left - 2 * kPadding, 0), measure);
    const RECT clip{cell.left + kPadding, cell.top, cell.right - kPadding, cell.bottom};
    ::ExtTextOutW(dc, clip.left, cell.top + 1, ETO_CLIPPED, &clip, platform::Wide(label),
                  static_cast<UINT>(label.size()), nullptr);
  }
  ::RestoreDC(dc, saved);
}

}  // namespace nrv
