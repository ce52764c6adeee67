#pragma once
// Which panel has the keyboard.
#include "core/panel.h"

namespace nrv {

// Gives the panel the keyboard when its window is visible, redraws both titles and cursors and
// puts its location in the main window's title.
void ActivatePanel(Panel& panel);
// Tab: the other panel; nothing when neither is active.
void ActivateOtherPanel();
// Where the focus goes when the main window is activated or deactivated.
void FocusOnActivation();
void ShowActivePathInTitle();

}  // namespace nrv
