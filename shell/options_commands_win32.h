#pragma once
// The switches and configuration commands of the Options menu.
#include <cstdint>

namespace nrv {

// "Show toolbar", "Always show menu", "Vertical arrangement", the four settings dialogs, "Load
// default configuration" and "Save configuration". False for any other command.
bool HandleOptionsCommand(uint32_t id);

}  // namespace nrv
