#pragma once
// Two files compared byte by byte in blocks, so memory stays flat whatever their size.
#include <atomic>
#include <cstdint>

#include "core/folder_compare.h"

namespace nrv {

inline constexpr size_t kContentCompareBlock = 1 << 20;

// Equal or Different; a file that cannot be opened or read counts as different. NotRead when
// stop was asked for first. bytesDone (when given) grows by the bytes compared (of one side).
ContentVerdict CompareFileContents(TextView leftPath, TextView rightPath, const std::atomic<bool>& stop,
                                   std::atomic<int64_t>* bytesDone);

}  // namespace nrv
