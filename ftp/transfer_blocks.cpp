#include "ftp/transfer_blocks.h"

#include <algorithm>

namespace nrv {

uint32_t NextBlockSize(uint32_t size, uint64_t milliseconds) {
  size = std::clamp(size, kSmallestBlock, kLargestBlock);
  if (milliseconds < kQuickBlockMs) return std::min(size * 2, kLargestBlock);
  if (milliseconds > kSlowBlockMs) return std::max(size / 2, kSmallestBlock);
  return size;
}

}  // namespace nrv
