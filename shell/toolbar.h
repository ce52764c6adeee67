#pragma once
// The row of twelve buttons above the panels.

namespace nrv {

// Draws the toolbar band with the button highlighted by the last hover (none at first).
void DrawToolbar();

}  // namespace nrv
