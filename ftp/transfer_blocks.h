#pragma once
// How much a transfer moves per library call. Under Wine every call has a cost of its own, so a
// fast link wants large blocks; a slow one wants small blocks, so that Cancel (answered between
// blocks) and the progress still come several times a second.
#include <cstdint>

namespace nrv {

inline constexpr uint32_t kSmallestBlock = 64 * 1024;
inline constexpr uint32_t kLargestBlock = 1024 * 1024;  // also the one buffer of a transfer
inline constexpr uint64_t kQuickBlockMs = 50;           // quicker than this: the next one doubles
inline constexpr uint64_t kSlowBlockMs = 200;           // slower than this: the next one halves
// No block is larger than what the transfer moved in this long, on average...
inline constexpr uint64_t kPacedBlockMs = 100;
// ...over at least this long. An upload's first megabytes go into the socket buffers at once,
// so the average starts again after the first block the link held past the quick bound: the
// bytes the buffers took are not the link's.
inline constexpr uint64_t kShortestRateSpanMs = 2000;

// The size of the block after one of size bytes that took milliseconds, within the bounds.
uint32_t NextBlockSize(uint32_t size, uint64_t milliseconds);

// A transfer's blocks so far: their bytes and the time spent in them, since the link first held
// one.
struct BlockPace {
  uint32_t size = kSmallestBlock;  // the next block's
  uint64_t moved = 0;
  uint64_t microseconds = 0;
  bool held = false;
};

// After a block of pace.size that moved bytes in microseconds: the next size by the rule above,
// no larger than the rate so far allows (never below the smallest block).
void AfterBlock(BlockPace& pace, uint64_t bytes, uint64_t microseconds);

}  // namespace nrv
