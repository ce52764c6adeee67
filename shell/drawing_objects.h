#pragma once
// The pen and brushes every panel, the viewer and the main window draw with.

namespace nrv {

// Makes the pen and the four brushes from the current colours and selects them into the main
// and panel contexts (and the viewer's).
void MakePensAndBrushes();
// The same after a colour change: the old objects are deleted first.
void RemakePensAndBrushes();

}  // namespace nrv
