#include <windows.h>

#include <string>

#include "core/settings.h"
#include "editor/editor_win32.h"
#include "platform/win32/wide.h"
#include "shell/fonts.h"
#include "shell/main_layout_win32.h"
#include "shell/application.h"
#include "shell/status_bar_fields.h"

namespace nrv {
namespace {

// On an OEM font the text goes through the OEM code page and is read back as ANSI, so the
// glyphs the font has for those bytes appear.
Text AdaptToFont(const Text& text, int32_t charSet) {
  if (charSet != OEM_CHARSET || text.empty()) return text;
  const int length = static_cast<int>(text.size());
  std::string bytes(static_cast<size_t>(length) * 2 + 1, '\0');
  const int written = ::WideCharToMultiByte(CP_OEMCP, 0, platform::Wide(text), length, bytes.data(),
                                            static_cast<int>(bytes.size()), nullptr, nullptr);
  if (written <= 0) return text;
  std::wstring wide(static_cast<size_t>(written), L'\0');
  const int read = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), written, wide.data(), written);
  if (read <= 0) return text;
  return platform::FromWide(wide.c_str(), static_cast<size_t>(read));
}

void TextAtColumn(HDC dc, int32_t column, int32_t y, const Text& text) {
  const ShellState& state = TheShellState();
  const Text adapted = AdaptToFont(text, state.charSet);
  ::TextOutW(dc, column * state.charWidth, y, platform::Wide(adapted), static_cast<int>(adapted.size()));
}

void Place(HWND window, const ShellRect& rect) {
  ::MoveWindow(window, rect.x, rect.y, rect.width, rect.height, FALSE);
}

bool PanelsShown() {
  const ShellState& state = TheShellState();
  const ShellWindows& windows = TheShellWindows();
  return state.startupDone && ::IsWindowVisible(windows.main) && !state.viewerOpen && !state.editorOpen;
}

}  // namespace

void ComputeClientMetrics() {
  ShellWindows& windows = TheShellWindows();
  ShellState& state = TheShellState();
  RECT client{};
  ::GetClientRect(windows.main, &client);
  state.clientWidth = client.right - client.left;
  state.clientHeight = client.bottom - client.top;
  TEXTMETRICW metrics{};
  if (HDC dc = windows.mainDc.Get(); dc && ::GetTextMetricsW(dc, &metrics)) {
    state.charWidth = metrics.tmAveCharWidth;
    state.charHeight = metrics.tmHeight;
    state.charSet = metrics.tmCharSet;
  }
  if (state.charWidth <= 0) state.charWidth = 1;
  if (state.charHeight <= 0) state.charHeight = 1;
  state.columns = state.clientWidth / state.charWidth;
  state.rows = state.clientHeight / state.charHeight;
  state.toolbarHeight = TheSettings().PanelShowToolbar ? kToolbarHeight : 0;
}

MainLayoutInput CurrentLayoutInput() {
  const ShellState& state = TheShellState();
  MainLayoutInput input;
  input.clientWidth = state.clientWidth;
  input.clientHeight = state.clientHeight;
  input.statusCharHeight = state.charHeight;
  input.toolbarHeight = state.toolbarHeight;
  input.stacked = TheSettings().ArrageHorizontal != 0;
  input.windowsOffset = state.windowsOffset;
  return input;
}

void LayOutChildren() {
  ComputeClientMetrics();
  const ShellWindows& windows = TheShellWindows();
  const ShellState& state = TheShellState();
  const int32_t width = state.clientWidth;
  const int32_t height = state.clientHeight;
  if (HWND editor = EditorControl(); editor && ::IsWindowVisible(editor))
    Place(editor, {0, state.charHeight, width, height - state.charHeight});
  const bool horizontalBar = ::IsWindowVisible(windows.viewerHorizontalBar) != FALSE;
  Place(windows.viewer, {0, 0, width - 16, height - (horizontalBar ? 16 : 0)});
  if (horizontalBar) ::MoveWindow(windows.viewerHorizontalBar, 0, height - 16, width - 16, 16, TRUE);
  ::MoveWindow(windows.viewerVerticalBar, width - 16, 0, 16, height, TRUE);
  const PanelRects rects = LayOutPanels(CurrentLayoutInput());
  Place(windows.left, rects.left);
  Place(windows.right, rects.right);
}

void PaintPanelGap() {
  if (!PanelsShown()) return;
  ComputeClientMetrics();
  const ShellWindows& windows = TheShellWindows();
  const ShellRect gap = PanelGap(CurrentLayoutInput());
  const RECT rect{gap.x, gap.y, gap.x + gap.width, gap.y + gap.height};
  ::FillRect(windows.mainDc.Get(), &rect, windows.backgroundBrush.Get());
}

void DrawMainStatusBar() {
  const Panel* panel = ActivePanel();
  if (!panel) return;
  const Settings& settings = TheSettings();
  const ShellState& state = TheShellState();
  HDC dc = TheShellWindows().mainDc.Get();
  if (!dc) return;
  const int32_t y = state.clientHeight - state.charHeight;
  ::SetTextColor(dc, settings.ClrPanelStatusbarText);
  ::SetBkColor(dc, settings.ClrPanelStatusbarBackground);
  ::SetBkMode(dc, OPAQUE);
  const StatusBarFields fields = ArrangeStatusBar(panel->current, state.columns);
  TextAtColumn(dc, 0, y, fields.name);
  TextAtColumn(dc, fields.typeColumn, y, fields.typeName);
  TextAtColumn(dc, fields.attributesColumn, y, fields.attributes);
  TextAtColumn(dc, fields.ownerColumn, y, fields.owner);
  if (fields.blankTo >= fields.blankFrom)
    TextAtColumn(dc, fields.blankFrom, y, Text(static_cast<size_t>(fields.blankTo - fields.blankFrom + 1), u' '));
  ::SetTextColor(dc, settings.ClrPanelText);
  ::SetBkColor(dc, settings.ClrPanelBackground);
}

void ToggleFullScreen(HWND main) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  ::GetWindowPlacement(main, &placement);
  ShellState& state = TheShellState();
  if (placement.showCmd != SW_SHOWMAXIMIZED) {
    ::GetWindowRect(main, &state.windowedRect);
    const LONG_PTR style = ::GetWindowLongPtrW(main, GWL_STYLE);
    ::SetWindowLongPtrW(main, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
    ::ShowWindow(main, SW_MAXIMIZE);
    // Without a window manager (Wine under bare X) maximising leaves the frame where it was;
    // placing the captionless window over the whole monitor works with or without one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor)) {
      const RECT& m = monitor.rcMonitor;
      ::SetWindowPos(main, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    return;
  }
  // Style and normal placement change together, so nobody sees a normal window without its
  // frame or at the full-screen size.
  ::SetWindowLongPtrW(main, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
  placement.showCmd = SW_SHOWNORMAL;
  // A window the user maximised before any full screen goes back to its own normal place.
  if (::IsRectEmpty(&state.windowedRect)) state.windowedRect = placement.rcNormalPosition;
  placement.rcNormalPosition = state.windowedRect;
  ::SetWindowPlacement(main, &placement);
  const RECT& r = state.windowedRect;
  ::SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace nrv
