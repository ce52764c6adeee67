#include "shell/panel_keys.h"

namespace nrv {

// The key table (cursor movement, commands, sort and view keys, quick search) is not wired
// yet: every panel key is taken and nothing happens.
void OnPanelKeyDown(Panel&, ItemList&, uintptr_t) {}

void OnPanelCharacter(Panel&, ItemList&, uintptr_t) {}

}  // namespace nrv
