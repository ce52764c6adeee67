#pragma once
// File-operation threads still inside the shell call; the quit question refuses while any are.
#include <atomic>
#include <cstdint>

namespace nrv {

std::atomic<int32_t>& RunningFileOperations();

}  // namespace nrv
