#include "ftp/transfer_blocks.h"

#include <algorithm>

namespace nrv {

uint32_t NextBlockSize(uint32_t size, uint64_t milliseconds) {
  size = std::clamp(size, kSmallestBlock, kLargestBlock);
  if (milliseconds < kQuickBlockMs) return std::min(size * 2, kLargestBlock);
  if (milliseconds > kSlowBlockMs) return std::max(size / 2, kSmallestBlock);
  return size;
}

void AfterBlock(BlockPace& pace, uint64_t bytes, uint64_t microseconds) {
  if (!pace.held && microseconds >= kQuickBlockMs * 1000) {
    pace.held = true;
    pace.moved = pace.microseconds = 0;
  } else {
    pace.moved += bytes;
    pace.microseconds += microseconds;
  }
  const uint64_t span = std::max(pace.microseconds, kShortestRateSpanMs * 1000);
  // Bytes a millisecond times milliseconds: no product near 2^64 for any file.
  const uint64_t paced = std::max<uint64_t>(pace.moved * 1000 / span * kPacedBlockMs, kSmallestBlock);
  pace.size = static_cast<uint32_t>(std::min<uint64_t>(NextBlockSize(pace.size, microseconds / 1000), paced));
}

}  // namespace nrv
