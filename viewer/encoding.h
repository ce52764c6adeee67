#pragma once
// How a file's bytes are text, guessed from its first 8 KB; shared by the viewer and the editor.
#include <cstddef>
#include <cstdint>

namespace nrv {

inline constexpr size_t kEncodingSampleSize = 8192;

struct EncodingGuess {
  bool isText = false;
  bool isUnicode = false;  // UTF-16 little-endian
  bool isUtf8 = false;
};

// The viewer passes forEditor false: then a sample without any CR or LF is not text.
EncodingGuess DetectEncoding(const uint8_t* sample, size_t length, bool forEditor);

// One UTF-8 sequence at bytes[0]. length 0 means the bytes end inside a sequence that may
// still be valid; an invalid byte gives U+FFFD with length 1.
struct Utf8Step {
  char32_t value = 0;
  uint8_t length = 0;
};
Utf8Step DecodeUtf8(const uint8_t* bytes, size_t available);

}  // namespace nrv
