#pragma once
// The main window's division between toolbar, panels and status line, and full screen.
#include <windows.h>

#include "shell/main_layout.h"

namespace nrv {

// Client size and the status-line font's character size, from the main window.
void ComputeClientMetrics();
MainLayoutInput CurrentLayoutInput();

// Places the editor, viewer, its scroll bars and both panels (on every resize).
void LayOutChildren();
// The main window's background between toolbar and status line.
void PaintPanelGap();
// The cursor item of the active panel on the bottom line of the main window.
void DrawMainStatusBar();

void ToggleFullScreen(HWND main);

}  // namespace nrv
