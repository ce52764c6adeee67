#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "viewer/status_line.h"
#include "viewer/viewer_screen.h"
#include "viewer/viewer_search.h"
#include "viewer/viewer_selection.h"
#include "viewer/viewer_window_win32.h"

namespace nrv {

namespace {

struct Colours {
  COLORREF text, background, selectedText, selectedBackground;
};

// Which cells of a row are drawn in the selection colours as search hits.
std::vector<bool> HitCells(const ViewerDocument& doc, const ScreenRow& row) {
  const ViewerMode mode = ModeOf(doc);
  if (mode == kModeText) return row.hits;
  std::vector<bool> hit(row.cells.size(), false);
  if (doc.search.matches.empty()) return hit;
  for (size_t c = 0; c < row.cells.size(); ++c) {
    int64_t index = row.firstIndex + static_cast<int64_t>(c);
    if (mode == kModeHex) {
      const int column = static_cast<int>(c);
      if (column >= 12 && column < 36 && (column - 12) % 3 < 2) {
        index = row.firstIndex + (column - 12) / 3;
      } else if (column >= 38 && column < 62 && (column - 38) % 3 < 2) {
        index = row.firstIndex + 8 + (column - 38) / 3;
      } else if (column >= kHexTextColumn && column < kHexTextColumn + kHexRowBytes) {
        index = row.firstIndex + column - kHexTextColumn;
      } else {
        continue;
      }
    }
    hit[c] = IsMatched(doc.search.matches, index);
  }
  return hit;
}

// Draws a row as runs of cells in the same colours, each cell at its own column.
void DrawRow(HDC dc, const ViewerSession& s, const ScreenRow& row, int rowIndex, const Colours& colours) {
  const ViewerGeometry& g = s.doc.geometry;
  const std::vector<bool> hits = HitCells(s.doc, row);
  const int y = kStatusLineHeight + rowIndex * g.charHeight;
  std::vector<INT> dx(row.cells.size(), g.charWidth);
  size_t from = 0;
  auto marked = [&](size_t c) {
    return hits[c] || IsCellSelected(s.controls.selection, static_cast<int>(c), rowIndex);
  };
  while (from < row.cells.size()) {
    const bool on = marked(from);
    size_t to = from + 1;
    while (to < row.cells.size() && marked(to) == on) ++to;
    ::SetTextColor(dc, on ? colours.selectedText : colours.text);
    ::SetBkColor(dc, on ? colours.selectedBackground : colours.background);
    ::ExtTextOutW(dc, static_cast<int>(from) * g.charWidth, y, ETO_OPAQUE, nullptr,
                  reinterpret_cast<const wchar_t*>(row.cells.data() + from), static_cast<UINT>(to - from),
                  dx.data() + from);
    from = to;
  }
}

void DrawStatus(HDC dc, const ViewerSession& s, int width) {
  const Settings& settings = *s.host.settings;
  if (s.host.statusFont) ::SelectObject(dc, s.host.statusFont());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  const int columns = width / std::max<int>(metrics.tmAveCharWidth, 1);
  const RECT band{0, 0, width, kStatusLineHeight};
  platform::Brush brush(::CreateSolidBrush(settings.ClrViewerStatusbarBackground));
  ::FillRect(dc, &band, brush.Get());
  ::SetTextColor(dc, settings.ClrViewerStatusbarText);
  ::SetBkColor(dc, settings.ClrViewerStatusbarBackground);
  const Text line = StatusLine(s.doc, columns);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, platform::Wide(line), static_cast<UINT>(line.size()), nullptr);
}

void SetBar(HWND bar, const ScrollBarState& state) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = state.range;
  info.nPage = static_cast<UINT>(std::max(state.page, 0));
  info.nPos = state.position;
  ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

// "Error reading file", once for the file that is shown.
void ReportReadError(ViewerSession& s) {
  if (s.readErrorShown) return;
  s.readErrorShown = true;
  platform::ShowMessage({s.host.frame, u"Error reading file", Text(kProgramCaption), platform::MessageIcon::Error,
                         platform::MessageButtons::Ok});
}

// The size from the open handle; a file that shrank under the view is a read error, and the
// view moves back inside it.
void FollowSize(ViewerSession& s) {
  ViewerDocument& doc = s.doc;
  const int64_t size = ViewerFileSize(doc.file);
  if (size < 0) {
    ReportReadError(s);
    return;
  }
  if (size < doc.fileSize) {
    doc.fileSize = size;
    const int unit = UnitSize(doc);
    if (doc.viewTop * unit >= size) {
      doc.viewTop = std::max<int64_t>(size - 1, 0) / unit;
      doc.reread = true;
      doc.snapToEnd = true;
    }
    ReportReadError(s);
    return;
  }
  doc.fileSize = size;
}

ViewerGeometry TakeGeometry(HDC dc, const RECT& client) {
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  return MakeGeometry(client.right, client.bottom, metrics.tmAveCharWidth, metrics.tmHeight, metrics.tmCharSet);
}

bool SameGeometry(const ViewerGeometry& a, const ViewerGeometry& b) {
  return a.charWidth == b.charWidth && a.charHeight == b.charHeight && a.fontCharSet == b.fontCharSet &&
         a.textColumns == b.textColumns && a.textRows == b.textRows;
}

}  // namespace

void PaintViewer(ViewerSession& s) {
  const HWND window = s.host.window;
  if (!s.active || !::IsWindowVisible(window)) return;
  RECT client{};
  ::GetClientRect(window, &client);
  const HDC dc = ::GetDC(window);
  if (!dc) return;
  const HFONT font = s.host.fixedFont ? s.host.fixedFont(s.controls.fontSize, s.controls.fontFace) : nullptr;
  if (font) ::SelectObject(dc, font);
  const ViewerGeometry geometry = TakeGeometry(dc, client);
  if (!SameGeometry(geometry, s.doc.geometry)) ApplyGeometry(s.doc, geometry);
  if (geometry.textColumns < 1 || geometry.textRows < 1) {
    ::ReleaseDC(window, dc);
    return;
  }
  FollowSize(s);
  const ViewerScreen screen = LayoutScreen(s.doc);
  {
    platform::MemoryCanvas canvas(dc, client.right, client.bottom);
    if (canvas.Ready()) {
      const Settings& settings = *s.host.settings;
      const HDC paint = canvas.Dc();
      platform::Brush background(::CreateSolidBrush(settings.ClrViewerBackground));
      ::FillRect(paint, &client, background.Get());
      if (font) ::SelectObject(paint, font);
      const Colours colours{settings.ClrViewerText, settings.ClrViewerBackground, settings.ClrViewerSelectedText,
                            settings.ClrViewerSelectedBackground};
      for (size_t r = 0; r < screen.rows.size(); ++r) DrawRow(paint, s, screen.rows[r], static_cast<int>(r), colours);
      DrawStatus(paint, s, client.right);
      ::SelectObject(paint, ::GetStockObject(SYSTEM_FONT));
      canvas.CopyTo(dc, 0, 0);
    }
  }
  ::ReleaseDC(window, dc);
  s.selectionText = SelectionText(s.doc, screen, s.controls.selection);
  SetBar(s.host.verticalBar, VerticalScrollBar(s.doc));
  if (ModeOf(s.doc) == kModeText && s.doc.unwrapped) SetBar(s.host.horizontalBar, HorizontalScrollBar(s.doc));
  const Text caption = ViewerCaption(s.doc);
  wchar_t shown[300] = {};
  ::GetWindowTextW(s.host.frame, shown, 300);
  if (platform::FromWide(shown) != caption) ::SetWindowTextW(s.host.frame, platform::Wide(caption));
  if (screen.result == kViewerReadError) ReportReadError(s);
}

}  // namespace nrv
