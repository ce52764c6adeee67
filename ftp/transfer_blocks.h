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

// The size of the block after one of size bytes that took milliseconds, within the bounds.
uint32_t NextBlockSize(uint32_t size, uint64_t milliseconds);

}  // namespace nrv
