#include "find/content_search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "viewer/code_pages.h"
#include "viewer/viewer_file.h"

namespace nrv {

bool MakeContentPattern(TextView text, bool caseSensitive, bool wholeWords, ContentPattern& pattern) {
  if (text.empty()) return false;
  pattern.bytes = EncodeToCodePage(text, kCharacterSetAnsi);
  if (wholeWords) pattern.bytes = ' ' + pattern.bytes + ' ';
  const size_t m = pattern.bytes.size();
  if (m > kContentBlock) return false;
  for (size_t b = 0; b < 256; ++b)
    pattern.fold[b] = static_cast<uint8_t>(!caseSensitive && b >= 'A' && b <= 'Z' ? b + 0x20 : b);
  for (char& c : pattern.bytes) c = static_cast<char>(pattern.fold[static_cast<uint8_t>(c)]);
  pattern.skip.fill(static_cast<uint16_t>(m));
  for (size_t i = 0; i + 1 < m; ++i) pattern.skip[static_cast<uint8_t>(pattern.bytes[i])] = static_cast<uint16_t>(m - 1 - i);
  return true;
}

int64_t FindInBlock(const ContentPattern& pattern, const uint8_t* bytes, size_t n) {
  const size_t m = pattern.bytes.size();
  if (m == 0 || n < m) return -1;
  const auto* wanted = reinterpret_cast<const uint8_t*>(pattern.bytes.data());
  const size_t last = m - 1;
  const uint8_t lastByte = wanted[last];
  const uint8_t* fold = pattern.fold.data();
  for (size_t i = 0; i + m <= n;) {
    const uint8_t under = fold[bytes[i + last]];
    if (under == lastByte) {
      size_t k = 0;
      while (k < last && fold[bytes[i + k]] == wanted[k]) ++k;
      if (k == last) return static_cast<int64_t>(i);
    }
    i += pattern.skip[under];
  }
  return -1;
}

int64_t FindInFile(const ContentPattern& pattern, const ViewerFile& file, const std::atomic<bool>* stop,
                   size_t blockSize) {
  const size_t m = pattern.bytes.size();
  if (m == 0) return -1;
  blockSize = std::max(blockSize, m + 1);
  std::vector<uint8_t> block(blockSize);
  // The block's first byte is at base; its last m - 1 bytes are carried into the next block,
  // which is the overlap that finds a text split between two reads.
  int64_t base = 0;
  int64_t position = 0;
  size_t held = 0;
  for (;;) {
    if (stop && stop->load(std::memory_order_relaxed)) return -1;
    const int64_t read = ReadViewerFile(file, position, block.data() + held, blockSize - held);
    if (read <= 0) return -1;
    position += read;
    held += static_cast<size_t>(read);
    if (const int64_t hit = FindInBlock(pattern, block.data(), held); hit >= 0) return base + hit;
    const size_t keep = std::min(held, m - 1);
    std::memmove(block.data(), block.data() + held - keep, keep);
    base += static_cast<int64_t>(held - keep);
    held = keep;
  }
}

int64_t FileContainsText(TextView path, const ContentPattern& pattern, const std::atomic<bool>* stop) {
  ViewerFile file;
  if (!OpenViewerFile(file, path)) return -1;
  return FindInFile(pattern, file, stop, kContentRead);
}

}  // namespace nrv
