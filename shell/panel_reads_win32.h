#pragma once
// The window's side of the panels' reads on workers: their posted ends, the 150 ms before a
// slow read shows itself, its running count in the title, Escape, and the commands that wait.
#include <windows.h>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_context.h"
#include "shell/key_table.h"

namespace nrv {

// Posted by a reading worker: wParam the side, lParam the request's number.
inline constexpr UINT kReadEndMessage = WM_APP + 3;
// Posted by the drive worker: the slow drives' details are in.
inline constexpr UINT kDrivesReadMessage = WM_APP + 4;

ReadHooks ShellReadHooks();

void OnReadEnd(WPARAM side, LPARAM generation);
void OnDrivesRead();
// The main window's timers of the reads; false for any other timer.
bool OnReadTimer(WPARAM timer);

// Escape in a reading panel: the read stops, the panel is drawn as it was. False when the panel
// was not reading.
bool CancelPanelRead(Panel& panel);

// Whether a command must not touch the panel now: its list is being replaced. Moving the cursor,
// view modes and entering another folder (which replaces the read) still work; the rest waits
// up to a second for a re-read of the folder shown, else beeps.
bool RefusedWhileReading(Panel& panel, ItemList& list, PanelKey action);

}  // namespace nrv
