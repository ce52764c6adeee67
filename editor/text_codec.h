#pragma once
// The file's bytes to the UTF-16 the control holds, and back. Files are read and written in
// blocks, so a character may straddle two blocks; both directions carry the pieces over.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_encoding.h"
#include "platform/text.h"

namespace nrv {

// The ANSI code page, given by the platform. decode and encode see only whole characters.
struct AnsiCodec {
  void (*decode)(const uint8_t* bytes, size_t length, Text& out) = nullptr;
  void (*encode)(const char16_t* units, size_t length, std::string& out) = nullptr;
  bool (*isLeadByte)(uint8_t byte) = nullptr;  // none for single-byte code pages
};

// Loading: bytes of a plain-text file (ANSI, UTF-8 or UTF-16) to UTF-16, byte-order mark dropped.
struct TextDecoder {
  EditorEncoding encoding;
  const AnsiCodec* ansi = nullptr;
  uint8_t markLeft = 0;  // bytes of the byte-order mark still to skip
  uint8_t carried = 0;
  uint8_t carry[4]{};
  std::string joined;  // the carry and the next block, when there is a carry
};

TextDecoder StartDecoder(const EditorEncoding& encoding, const AnsiCodec* ansi);
void Decode(TextDecoder& decoder, const uint8_t* bytes, size_t length, Text& out);
// Bytes left in an unfinished character at the end of the file.
void FinishDecode(TextDecoder& decoder, Text& out);

// Saving: the control's UTF-16 text, in pieces of any size, to the file's encoding. Every line
// break the control gives (CR LF, CR or LF) becomes the file's own line end.
struct TextEncoder {
  EditorEncoding encoding;
  const AnsiCodec* ansi = nullptr;
  bool markWritten = false;
  bool pendingCr = false;
  char16_t heldSurrogate = 0;
  Text units;  // the piece's units after line ends are settled
  // Each line's break, when the file's lines do not all end alike (editor/line_ends.h).
  const std::vector<LineEnd>* lineEnds = nullptr;
  size_t breaks = 0;
};

TextEncoder StartEncoder(const EditorEncoding& encoding, const AnsiCodec* ansi);
void Encode(TextEncoder& encoder, const char16_t* units, size_t length, std::string& out);
void FinishEncode(TextEncoder& encoder, std::string& out);

}  // namespace nrv
