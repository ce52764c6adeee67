#pragma once
// The question asked before the program ends.
#include <atomic>
#include <cstdint>

#include "platform/handles.h"

namespace nrv {

// Asks "Do You want to quit program?"; true when the user agreed and no file operation is still
// running (else the user is told to wait).
bool ConfirmQuit(NativeWindow owner, const std::atomic<int32_t>& runningFileOperations);

}  // namespace nrv
