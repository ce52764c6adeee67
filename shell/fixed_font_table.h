#pragma once
// The fifteen fixed-pitch fonts of the status line and the viewer, by size and face code.
#include <cstdint>

#include "platform/system.h"

namespace nrv {

enum FontSizeCode : int32_t { kFontSmall = 1000, kFontMedium = 1001, kFontLarge = 1002 };
inline constexpr int32_t kFirstFontFace = 1000;
inline constexpr int32_t kLastFontFace = 1004;
inline constexpr int kFixedFontSizes = 3;
inline constexpr int kFixedFontFaces = 5;

// False for a size or face code outside the table.
bool IsFixedFontCode(int32_t sizeCode, int32_t faceCode);
// Index into the table of fifteen, face by face; -1 outside the table.
int FixedFontIndex(int32_t sizeCode, int32_t faceCode);

// The description of one table font; "newer" systems (major version 6 on) get Consolas.
platform::FontDescription FixedFontDescription(int32_t sizeCode, int32_t faceCode, int osMajor);

}  // namespace nrv
