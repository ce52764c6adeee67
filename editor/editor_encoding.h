#pragma once
// How the editor reads and writes a file: chosen from the file's first 8 KB and its extension,
// settled over the whole file, then kept so that an unchanged file is written back byte for byte.
#include <cstddef>
#include <cstdint>

#include "platform/text.h"

namespace nrv {

enum class EditorFormat : uint8_t { Ansi, Utf8, Utf16, Rtf };
enum class LineEnd : uint8_t { CrLf, Lf, Cr };

struct EditorEncoding {
  EditorFormat format = EditorFormat::Ansi;
  LineEnd lineEnd = LineEnd::CrLf;
  bool byteOrderMark = false;
  bool binary = false;  // neither text nor UTF-16: the user is asked before loading
  // UTF-16 with half a unit at the end: the byte no character can hold, written back last.
  bool oddByte = false;
  uint8_t lastByte = 0;
};

EditorEncoding ChooseEncoding(const uint8_t* sample, size_t length, TextView extension);

// Whether a whole file is UTF-8, followed block by block. A sequence may straddle two blocks.
struct Utf8Check {
  bool valid = true;
  bool multiByte = false;  // at least one character beyond ASCII
  uint8_t carried = 0;
  uint8_t carry[4]{};
};

// Only text that is neither UTF-16 nor rich text has anything to settle.
bool NeedsUtf8Check(const EditorEncoding& encoding);
// Stops looking once the bytes are not UTF-8: check.valid then says so for the whole file.
void CheckUtf8(Utf8Check& check, const uint8_t* bytes, size_t length);
// A sequence left unfinished at the end of the file is not UTF-8.
void FinishUtf8Check(Utf8Check& check);
// A file with any invalid sequence is ANSI, where every byte comes back as it was (a UTF-8
// byte-order mark then shows as three characters); a valid one with any character beyond ASCII
// is UTF-8, however far into the file that character is.
void SettleEncoding(EditorEncoding& encoding, const Utf8Check& check);

// "Unicode", "RTF" or "Text" for the status line.
TextView FormatName(EditorFormat format);

}  // namespace nrv
