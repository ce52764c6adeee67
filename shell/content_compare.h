#pragma once
// Two files compared byte by byte in blocks, so memory stays flat whatever their size.
#include <atomic>
#include <cstdint>
#include <memory>

#include "core/folder_compare.h"

namespace nrv {

inline constexpr size_t kContentCompareBlock = 1 << 20;

// Room for a block of each side, made once per comparison and kept for every pair: fresh large
// blocks per file cost more than reading it (the system zeroes every page on first touch).
struct ContentBuffers {
  std::unique_ptr<uint8_t[]> bytes{new uint8_t[2 * kContentCompareBlock]};
};

// Equal or Different; a file that cannot be opened or read counts as different. NotRead when
// stop was asked for first. bytesDone (when given) grows by the bytes compared (of one side).
ContentVerdict CompareFileContents(TextView leftPath, TextView rightPath, const std::atomic<bool>& stop,
                                   std::atomic<int64_t>* bytesDone, ContentBuffers& buffers);

}  // namespace nrv
