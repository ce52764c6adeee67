#pragma once
// The window timers of the panels, each defined once.
#include <cstdint>

namespace nrv {

inline constexpr uintptr_t kDragScrollTimerId = 1002;
inline constexpr uintptr_t kContextMenuTimerId = 1003;  // the right button held on an item

}  // namespace nrv
