#include <windows.h>

#include <algorithm>

#include "core/panel_context.h"
#include "core/formatting.h"
#include "core/layout.h"
#include "core/listing.h"
#include "core/panel_read.h"
#include "panel/panel_paint.h"
#include "panel/panel_paint_win32.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "panel/panel_view.h"
#include "panel/shell_calls.h"

namespace nrv {

using platform::Selection;
namespace {

constexpr int32_t kStatusTextLeft = 38;

HDC WindowDc(const Panel& panel) { return static_cast<HDC>(DcOf(panel)); }
HFONT ItemFont(const Panel& panel) { return static_cast<HFONT>(ItemFontOf(panel)); }
HFONT TitleFont(const Panel& panel) { return static_cast<HFONT>(TitleFontOf(panel)); }

HPEN TextPen(const Panel& panel) { return static_cast<HPEN>(panel.view->shared->textPen); }
HBRUSH TitleBrush(const Panel& panel) { return static_cast<HBRUSH>(panel.view->shared->titleBrush); }
HBRUSH BackgroundBrush(const Panel& panel) { return static_cast<HBRUSH>(panel.view->shared->backgroundBrush); }

bool CanDraw(const Panel& panel) {
  const SharedDrawing* shared = SharedDrawingOf(panel);
  return shared && shared->ready && panel.view->window && panel.view->dc &&
         ::IsWindowVisible(static_cast<HWND>(panel.view->window));
}

int32_t FontHeightIn(HDC dc, HFONT font) {
  Selection selected(dc, font);
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
}

int Layout(HDC dc, const ItemList& list, Panel& panel) {
  const SIZE client = PanelClientSize(panel);
  LayoutInput input;
  input.itemCount = Count(list);
  input.titleFontHeight = FontHeightIn(dc, TitleFont(panel));
  input.fontHeight = FontHeightIn(dc, ItemFont(panel));
  input.clientWidth = client.cx;
  input.clientHeight = client.cy;
  return ComputeLayout(panel, input);
}

int TextWidth(HDC dc, TextView text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
  return size.cx;
}

void OpaqueText(HDC dc, int x, int y, const RECT& clip, TextView text) {
  ::ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &clip, reinterpret_cast<const wchar_t*>(text.data()),
                static_cast<UINT>(text.size()), nullptr);
}

void KeepCursorOnPage(Panel& panel) {
  panel.cursor = std::clamp(panel.cursor, 0, std::max(panel.itemCount - 1, 0));
  if (panel.capacity != 0 && panel.cursor - panel.top > panel.capacity - 1)
    panel.top = panel.cursor - panel.capacity + 1;
  panel.top = std::clamp(panel.top, 0, std::max(panel.itemCount - 1, 0));
}

void DrawStatusLine(HDC dc, const Panel& panel, int32_t y, TextView text, COLORREF colour) {
  const SIZE client = PanelClientSize(panel);
  ::SetTextColor(dc, colour);
  ::SetBkColor(dc, SettingsOf(panel).ClrPanelTitleBackground);
  const RECT clip{kStatusTextLeft, y, client.cx - 1, y + panel.titleFontHeight};
  OpaqueText(dc, kStatusTextLeft, y, clip, text);
}

void DrawSelectionAndTotals(HDC dc, const Panel& panel) {
  const SIZE client = PanelClientSize(panel);
  if (!StatusAreaShown(panel, client.cx)) return;
  Selection font(dc, TitleFont(panel));
  const int32_t top = client.cy - panel.statusHeight;
  const Settings& settings = SettingsOf(panel);
  DrawStatusLine(dc, panel, top + 2, SelectionLine(panel), settings.ClrPanelSelectedText);
  DrawStatusLine(dc, panel, top + 2 * panel.titleFontHeight + 4, TotalsLine(panel),
                 settings.ClrPanelHighlightText);
}

void DrawColumnLines(HDC dc, const Panel& panel) {
  if (EffectiveViewMode(panel) != kViewBrief) return;
  Selection pen(dc, TextPen(panel));
  int32_t x = panel.columnWidth + 4;
  for (int32_t i = 1; i < panel.columns; ++i) {
    ::MoveToEx(dc, x, panel.firstRowY, nullptr);
    ::LineTo(dc, x, panel.firstRowY + panel.itemAreaHeight);
    x += panel.columnWidth + panel.columnGap;
  }
}

void FillStatusArea(HDC dc, const Panel& panel, SIZE client) {
  RECT area{0, client.cy - panel.statusHeight, client.cx, client.cy};
  if (panel.side == kRightPanel) {
    area.right = client.cx + 5;
  } else {
    area.right = client.cx - 1;
    if (SettingsOf(panel).ArrageHorizontal) area.bottom = client.cy - 1;
  }
  ::FillRect(dc, &area, TitleBrush(panel));
}

void DrawPanelLines(HDC dc, const Panel& panel, SIZE client) {
  Selection pen(dc, TextPen(panel));
  if (panel.side == kLeftPanel) {
    ::MoveToEx(dc, client.cx - 1, 0, nullptr);
    ::LineTo(dc, client.cx - 1, client.cy);
  }
  const int32_t y = client.cy - panel.statusHeight;
  ::MoveToEx(dc, 0, y, nullptr);
  ::LineTo(dc, client.cx, y);
  if (panel.side == kLeftPanel && SettingsOf(panel).ArrageHorizontal) {
    ::MoveToEx(dc, 0, client.cy - 1, nullptr);
    ::LineTo(dc, client.cx, client.cy - 1);
  }
}

}  // namespace

SIZE PanelClientSize(const Panel& panel) {
  RECT rect{};
  ::GetClientRect(static_cast<HWND>(WindowOf(panel)), &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool StatusAreaShown(const Panel& panel, int32_t clientWidth) {
  return SettingsOf(panel).PanelShowPanelStatusbar && !panel.statusHidden && panel.statusHeight > 0 &&
         clientWidth - 1 > kStatusTextLeft;
}

COLORREF HalfwayColour(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

void ItemColours(HDC dc, const ItemList& list, const Panel& panel, int index) {
  const Settings& s = SettingsOf(panel);
  if (index < 0) {
    ::SetTextColor(dc, s.ClrPanelBackground);
    ::SetBkColor(dc, s.ClrPanelBackground);
    return;
  }
  ::SetBkColor(dc, panel.active && index == panel.cursor ? s.ClrPanelSelectedBackground : s.ClrPanelBackground);
  const PanelItem& item = At(list, index);
  static constexpr TextView kExecutables[] = {u"exe", u"com", u"bat", u"cmd"};
  static constexpr TextView kArchives[] = {u"arj", u"zip", u"rar", u"ha",  u"lha", u"bz2",
                                           u"gz",  u"cab", u"iso", u"7z",  u"jar", u"ace"};
  const TextView extension = ItemExtension(item);  // already lower-cased from A to Z
  const auto among = [extension](const auto& names) {
    return std::find(std::begin(names), std::end(names), extension) != std::end(names);
  };
  COLORREF text = s.ClrPanelFilesText;
  if (item.selected)
    text = s.ClrPanelSelectedText;
  else if (item.attributes & FILE_ATTRIBUTE_HIDDEN)
    text = s.ClrPanelHiddenFilesText;
  else if (item.attributes & FILE_ATTRIBUTE_DIRECTORY)
    text = s.ClrPanelFoldersText;
  else if (among(kExecutables))
    text = s.ClrPanelExecutableFilesText;
  else if (among(kArchives))
    text = s.ClrPanelArchiveFilesText;
  // The contents a slow read is replacing: halfway to the background.
  if (ReadingShown(panel)) text = HalfwayColour(text, s.ClrPanelBackground);
  ::SetTextColor(dc, text);
}

void DrawCell(HDC dc, ItemList& list, Panel& panel, int32_t pageCell, int index) {
  const CellRect place = CellOfPage(panel, pageCell);
  const int32_t x = place.left;
  const int32_t y = place.top;
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, x, y, x + place.width, y + place.height);
  ItemColours(dc, list, panel, index);
  const CellContent content = CellContentOf(panel);
  const RECT iconArea{x, y, x + content.textLeft, y + place.height};
  ::FillRect(dc, &iconArea, BackgroundBrush(panel));

  const PanelItem* item = index >= 0 ? &At(list, index) : nullptr;
  if (item && panel.iconSize > 0 && item->icon)
    ::DrawIconEx(dc, x, y + content.iconTop, static_cast<HICON>(item->icon), panel.iconSize, panel.iconSize, 0,
                 nullptr, DI_NORMAL);

  int32_t nameRight = place.width;
  if (item && EffectiveViewMode(panel) != kViewBrief) {
    const CellText right = CellRightText(*item, EffectiveViewMode(panel));
    const int32_t left = std::max<int32_t>(place.width - TextWidth(dc, right), content.textLeft);
    const RECT rightArea{x + left, y, x + place.width, y + place.height};
    OpaqueText(dc, x + left, y + content.textTop, rightArea, right);
    nameRight = left;
  }
  const RECT nameArea{x + content.textLeft, y, x + nameRight, y + place.height};
  OpaqueText(dc, x + content.textLeft, y + content.textTop, nameArea, item ? ItemName(*item) : TextView());
  ::RestoreDC(dc, saved);
}

namespace {

// The cells of the laid-out page and the lines between its columns.
void DrawPage(HDC dc, ItemList& list, Panel& panel) {
  Selection font(dc, ItemFont(panel));
  const bool icons = SettingsOf(panel).PanelShowIcons != 0;
  int32_t k = 0;
  for (int index = panel.top; index < panel.itemCount && k < panel.capacity; ++index, ++k) {
    if (icons) LoadItemIcon(list, panel, index);
    DrawCell(dc, list, panel, k, index);
  }
  panel.visibleCount = k;
  for (; k < panel.capacity; ++k) DrawCell(dc, list, panel, k, -1);
  DrawColumnLines(dc, panel);
}

// What the cells of the page cover, gaps between columns included.
RECT PageArea(const Panel& panel) {
  RECT area{0, 0, 0, 0};
  for (int32_t k = 0; k < panel.capacity; ++k) {
    const CellRect cell = CellOfPage(panel, k);
    const RECT rect{cell.left, cell.top, cell.left + cell.width, cell.top + cell.height};
    if (k == 0) {
      area = rect;
      continue;
    }
    area.left = std::min(area.left, rect.left);
    area.top = std::min(area.top, rect.top);
    area.right = std::max(area.right, rect.right);
    area.bottom = std::max(area.bottom, rect.bottom);
  }
  return area;
}

// Straight into the window: the page goes through one off-screen bitmap, so it never shows
// half drawn.
void DrawPageToWindow(HDC window, ItemList& list, Panel& panel) {
  const RECT area = PageArea(panel);
  const int32_t width = area.right - area.left;
  const int32_t height = area.bottom - area.top;
  platform::MemoryCanvas page(window, std::max(width, 1), std::max(height, 1));
  if (width <= 0 || height <= 0 || !page.Ready()) {
    DrawPage(window, list, panel);
    return;
  }
  HDC dc = page.Dc();
  const RECT all{0, 0, width, height};
  ::FillRect(dc, &all, BackgroundBrush(panel));
  ::SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
  DrawPage(dc, list, panel);
  ::SetViewportOrgEx(dc, 0, 0, nullptr);
  page.CopyTo(window, area.left, area.top);
}

void DrawItemsWith(HDC dc, ItemList& list, Panel& panel, bool offScreen) {
  if (!CanDraw(panel) || IsEmpty(list)) return;
  const bool laidOut = Layout(dc, list, panel) == 0;
  KeepCursorOnPage(panel);
  if (laidOut) {
    if (offScreen)
      DrawPage(dc, list, panel);
    else
      DrawPageToWindow(dc, list, panel);
  }
  ShowCurrentItemInto(dc, At(list, panel.cursor), panel);
  DrawSelectionAndTotals(dc, panel);
  if (ShellCallsHeld()) DrawAgainWithShell(panel, list);
}

}  // namespace

void DrawItemsInto(HDC dc, ItemList& list, Panel& panel) { DrawItemsWith(dc, list, panel, true); }

void DrawTitleInto(HDC dc, Panel& panel) {
  const SIZE client = PanelClientSize(panel);
  Selection font(dc, TitleFont(panel));
  const SharedDrawing* shared = SharedDrawingOf(panel);
  const Text title = ReadingShown(panel)        ? ReadingTitle(ReadCount(panel))
                     : shared->titleOf ? shared->titleOf(shared->owner, panel)
                                       : TitleText(panel);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, platform::Wide(title), static_cast<int>(title.size()), &extent);
  const int32_t y = panel.tabRowHeight;
  const RECT area{1, y, client.cx - 1, y + extent.cy};
  ::FillRect(dc, &area, BackgroundBrush(panel));
  const int32_t width = area.right - area.left;
  const int32_t x = extent.cx < width ? client.cx / 2 - extent.cx / 2 - 1 : 1;
  const Settings& settings = SettingsOf(panel);
  ::SetBkColor(dc, panel.active ? settings.ClrPanelSelectedBackground : settings.ClrPanelBackground);
  OpaqueText(dc, x, y, area, title);
}

void RepaintPanel(Panel& panel, ItemList& list) {
  if (!CanDraw(panel)) return;
  const SIZE client = PanelClientSize(panel);
  platform::MemoryCanvas canvas(WindowDc(panel), client.cx, client.cy);
  if (!canvas.Ready()) return;
  HDC dc = canvas.Dc();
  Selection pen(dc, TextPen(panel));
  Selection brush(dc, BackgroundBrush(panel));
  const RECT all{0, 0, client.cx, client.cy};
  ::FillRect(dc, &all, BackgroundBrush(panel));
  if (Layout(dc, list, panel) == 0 && SettingsOf(panel).PanelShowPanelStatusbar && !panel.statusHidden)
    FillStatusArea(dc, panel, client);
  DrawItemsInto(dc, list, panel);
  DrawTitleInto(dc, panel);
  DrawPanelLines(dc, panel, client);
  const SharedDrawing* shared = SharedDrawingOf(panel);
  if (panel.tabRowHeight > 0 && shared && shared->drawTabRow) shared->drawTabRow(shared->owner, panel, dc);
  canvas.CopyTo(WindowDc(panel), 0, 0);
  if (SettingsOf(panel).PanelShowToolbar && shared && shared->drawToolbar) shared->drawToolbar(shared->owner);
}

void DrawItems(ItemList& list, Panel& panel) {
  if (CanDraw(panel)) DrawItemsWith(WindowDc(panel), list, panel, false);
}

void DrawTitle(Panel& panel) {
  if (CanDraw(panel)) DrawTitleInto(WindowDc(panel), panel);
}

void ShowCurrentItem(const PanelItem& item, Panel& panel) {
  if (CanDraw(panel)) ShowCurrentItemInto(WindowDc(panel), item, panel);
}

}  // namespace nrv
