#include "shell/running_operations.h"

namespace nrv {

std::atomic<int32_t>& RunningFileOperations() {
  static std::atomic<int32_t> count{0};
  return count;
}

}  // namespace nrv
