#pragma once
// Finding a text in a file's bytes: the pattern in the ANSI code page, a skip table, and blocks
// read one after another that overlap by the pattern's length, so a text across two blocks is
// found while memory stays constant whatever the file's size.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/text.h"

namespace nrv {

struct ViewerFile;

inline constexpr size_t kContentBlock = 8192;  // the longest pattern
// The read size: the overlap makes the answer the same for any size, and reads of 8 KB spent
// most of a search of small files in system calls.
inline constexpr size_t kContentRead = 65536;

struct ContentPattern {
  std::string bytes;            // folded unless caseSensitive; with spaces around for whole words
  std::array<uint8_t, 256> fold;  // identity, or A to Z lowered
  std::array<uint16_t, 256> skip;
};

// False for an empty text or a pattern longer than one block (nothing can match then).
bool MakeContentPattern(TextView text, bool caseSensitive, bool wholeWords, ContentPattern& pattern);

// Index of the first occurrence in bytes[0, n), or -1.
int64_t FindInBlock(const ContentPattern& pattern, const uint8_t* bytes, size_t n);

// Offset of the first occurrence in the file, or -1 (also for a read error or when stop is set
// between blocks). blockSize is the read size; at least the pattern's length plus one.
int64_t FindInFile(const ContentPattern& pattern, const ViewerFile& file, const std::atomic<bool>* stop,
                   size_t blockSize = kContentBlock);

// The same for a file by name, read kContentRead bytes at a time; -1 when it cannot be opened.
int64_t FileContainsText(TextView path, const ContentPattern& pattern, const std::atomic<bool>* stop);

}  // namespace nrv
