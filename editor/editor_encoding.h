#pragma once
// How the editor reads and writes a file: chosen once from the file's first 8 KB and its
// extension, then kept so that an unchanged file is written back byte for byte.
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
};

EditorEncoding ChooseEncoding(const uint8_t* sample, size_t length, TextView extension);

// "Unicode", "RTF" or "Text" for the status line.
TextView FormatName(EditorFormat format);

}  // namespace nrv
