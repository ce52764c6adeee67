#pragma once
// The shell's own context menu for panel items, opened by holding the right mouse button.
#include <windows.h>

#include <vector>

#include "panel/timer_ids.h"
#include "platform/text.h"

namespace nrv {


// Timer 1003's callback on a panel window: stops the timer, collects the names and shows the
// shell menu owned by the main window.
void CALLBACK ContextMenuTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

// The menu for names inside folder, or for folder itself when names is empty. False when the
// shell could not parse a name or gave no menu (nothing is reported).
bool ShowShellContextMenu(HWND owner, TextView folder, const std::vector<Text>& names);

// Owner-drawn submenus of the shell menu (Send to, Open with) need the owner's
// WM_INITMENUPOPUP, WM_DRAWITEM and WM_MEASUREITEM while the menu is open; true when taken.
bool ForwardContextMenuMessage(HWND owner, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace nrv
