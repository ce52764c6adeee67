#include "shell/fixed_font_table.h"

namespace nrv {
namespace {

struct Entry {
  const char16_t* face;
  int32_t height;
  int32_t width;
  int32_t weight;
};

// Rows by face code, columns by size code.
constexpr Entry kTable[kFixedFontFaces][kFixedFontSizes] = {
    {{u"Lucida Console", 11, 0, 0}, {u"Lucida Console", 13, 0, 0}, {u"Lucida Console", 15, 0, 0}},
    {{u"Consolas", 15, 0, 0}, {u"Consolas", 16, 0, 0}, {u"Consolas", 20, 0, 0}},
    {{u"Consolas", 15, 0, 700}, {u"Consolas", 16, 0, 700}, {u"Consolas", 20, 0, 700}},
    {{u"Courier New", 14, 0, 400}, {u"Courier New", 16, 0, 400}, {u"Courier New", 18, 0, 400}},
    {{u"Terminal", 12, 6, 400}, {u"Terminal", 14, 8, 400}, {u"Terminal", 18, 10, 400}},
};

// Before Consolas shipped, faces 1001 and 1002 fall back to plain Courier New.
constexpr Entry kOlderConsolas[kFixedFontSizes] = {
    {u"Courier New", 14, 0, 0}, {u"Courier New", 16, 0, 0}, {u"Courier New", 18, 0, 0}};

}  // namespace

bool IsFixedFontCode(int32_t sizeCode, int32_t faceCode) { return FixedFontIndex(sizeCode, faceCode) >= 0; }

int FixedFontIndex(int32_t sizeCode, int32_t faceCode) {
  const int size = sizeCode - kFontSmall;
  const int face = faceCode - kFirstFontFace;
  if (size < 0 || size >= kFixedFontSizes || face < 0 || face >= kFixedFontFaces) return -1;
  return face * kFixedFontSizes + size;
}

platform::FontDescription FixedFontDescription(int32_t sizeCode, int32_t faceCode, int osMajor) {
  platform::FontDescription font;
  const int index = FixedFontIndex(sizeCode, faceCode);
  if (index < 0) return font;
  const int face = index / kFixedFontSizes;
  const int size = index % kFixedFontSizes;
  const bool consolas = face == 1 || face == 2;
  const Entry& entry = consolas && osMajor < 6 ? kOlderConsolas[size] : kTable[face][size];
  font.lfFaceName = entry.face;
  font.lfHeight = entry.height;
  font.lfWidth = entry.width;
  font.lfWeight = entry.weight;
  font.lfCharSet = 1;  // DEFAULT_CHARSET; no escapement, italics or special precision
  // Asking for fixed pitch makes a system without the face substitute a monospaced one, so
  // the status line's character columns stay aligned.
  font.lfPitchAndFamily = 0x31;  // FIXED_PITCH | FF_MODERN
  return font;
}

}  // namespace nrv
