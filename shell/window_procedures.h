#pragma once
// The procedures of the shell's window classes.
#include <windows.h>

namespace nrv {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LeftPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RightPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the four classes and makes the main window, both panels, the viewer and its scroll
// bars. 0, or -1..-4 for a class that could not be registered (main, left, right, viewer),
// -11..-14 for a window that could not be made.
int CreateShellWindows(HINSTANCE instance, HMENU menu);

}  // namespace nrv
