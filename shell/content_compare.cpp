#include "shell/content_compare.h"

#include <cstring>

#include "viewer/viewer_file.h"

namespace nrv {

ContentVerdict CompareFileContents(TextView leftPath, TextView rightPath, const std::atomic<bool>& stop,
                                   std::atomic<int64_t>* bytesDone, ContentBuffers& buffers) {
  ViewerFile left;
  ViewerFile right;
  if (!OpenViewerFile(left, leftPath) || !OpenViewerFile(right, rightPath)) return ContentVerdict::Different;
  uint8_t* const a = buffers.bytes.get();
  uint8_t* const b = a + kContentCompareBlock;
  for (int64_t position = 0;;) {
    if (stop.load(std::memory_order_relaxed)) return ContentVerdict::NotRead;
    const int64_t readA = ReadViewerFile(left, position, a, kContentCompareBlock);
    const int64_t readB = ReadViewerFile(right, position, b, kContentCompareBlock);
    if (readA < 0 || readB < 0 || readA != readB) return ContentVerdict::Different;
    if (readA == 0) return ContentVerdict::Equal;
    if (std::memcmp(a, b, static_cast<size_t>(readA)) != 0) return ContentVerdict::Different;
    position += readA;
    if (bytesDone) bytesDone->fetch_add(readA, std::memory_order_relaxed);
  }
}

}  // namespace nrv
