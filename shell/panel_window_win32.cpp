#include <windows.h>

#include "panel/panel_paint.h"
#include "shell/panel_keys.h"
#include "shell/shell_windows.h"
#include "shell/window_procedures.h"

namespace nrv {
namespace {

void OnPaint(HWND window, int side) {
  PAINTSTRUCT paint{};
  ::BeginPaint(window, &paint);
  ::EndPaint(window, &paint);
  RepaintPanel(PanelOf(side), ItemsOf(side));
}

LRESULT PanelProc(int side, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(window, side); return 0;
    case WM_ERASEBKGND: return 1;
    // A panel never passes a key on to default processing.
    case WM_KEYDOWN: OnPanelKeyDown(PanelOf(side), ItemsOf(side), wParam); return 0;
    case WM_CHAR: OnPanelCharacter(PanelOf(side), ItemsOf(side), wParam); return 0;
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK LeftPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PanelProc(kLeftPanel, window, message, wParam, lParam);
}

LRESULT CALLBACK RightPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PanelProc(kRightPanel, window, message, wParam, lParam);
}

}  // namespace nrv
