#pragma once
// The file list of a CF_HDROP drop: a DROPFILES header of 20 bytes, then the paths, each
// NUL-terminated, closed by one more NUL. Lists we offer are wide; lists we receive may be
// wide or in the ANSI code page.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/refused_names.h"
#include "platform/text.h"

namespace nrv {

inline constexpr uint32_t kDropFilesHeaderSize = 20;

// The whole block for paths, wide, with the non-client flag set and the point at (0, 0).
std::vector<uint8_t> BuildDropList(const std::vector<Text>& paths);

// ANSI bytes of one path (without its NUL) as text.
using AnsiDecoder = Text (*)(std::string_view bytes);

// The paths of a block of size bytes. A block that is too short or whose list starts outside
// it gives none; a list that runs to the end of the block without its closing NUL keeps the
// paths it completed.
std::vector<Text> ReadDropList(const uint8_t* block, size_t size, AnsiDecoder ansi);

// The dropped paths a copy may take: absolute ("X:\..." or "\\server\share\...", not the "\\?\"
// and "\\.\" forms) with a last part that is one file name, since that part names the copy in
// the target folder. The rest are noted in refused, in their order.
std::vector<Text> AcceptedDropPaths(const std::vector<Text>& paths, RefusedNames& refused);

}  // namespace nrv
