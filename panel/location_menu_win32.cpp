#include "panel/location_menu.h"

namespace nrv {

// The menu's drives, special folders and recent locations come with panel navigation; until
// then the keys that open it do nothing and its commands pass on.
void OpenLocationMenu(Panel&) {}

bool RunLocationCommand(uint32_t) { return false; }

}  // namespace nrv
