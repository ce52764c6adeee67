#pragma once
// The first call into the shell costs tens of milliseconds. Until the window has shown, the
// panels draw without shell icons and type names; a timer, which runs only after the pending
// paints, lets them ask and draws them again.
#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// Holds the calls until the first tick of the message loop; whenReleased, if any, runs then
// too, after the panels are drawn again.
void HoldShellCalls(void (*whenReleased)() = nullptr);
bool ShellCallsHeld();
// The panel is drawn again when the calls are let through.
void DrawAgainWithShell(Panel& panel, ItemList& list);
// Lets the calls through and draws again what was drawn without them.
void ReleaseShellCalls();

}  // namespace nrv
