#pragma once
// The keys of the viewer window: a pure table, so the window only translates key messages.
#include <cstdint>

#include "viewer/viewer_commands.h"

namespace nrv {

// A key-down of the viewer window with the modifiers held; Alt combinations do nothing.
ViewerCommand ViewerKeyAction(uint32_t virtualKey, bool ctrl, bool shift, bool alt);

}  // namespace nrv
