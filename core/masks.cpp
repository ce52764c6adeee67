#include "core/masks.h"

namespace nrv {

bool EqualsAtoZ(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAtoZ(a[i]) != FoldAtoZ(b[i])) return false;
  return true;
}

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);
  if (c == 0x0401) return 0x0451;
  return c;
}

namespace {

// Blocks where capital and small letters alternate: the capital at the even code (or odd when
// oddUpper) and its small letter right after it.
struct PairedBlock {
  char16_t first;
  char16_t last;
  bool oddUpper;
};
constexpr PairedBlock kPairedBlocks[] = {
    {0x0100, 0x012F, false}, {0x0132, 0x0137, false}, {0x0139, 0x0148, true},
    {0x014A, 0x0177, false}, {0x0179, 0x017E, true},  {0x01DE, 0x01EF, false},
    {0x01F8, 0x021F, false}, {0x0222, 0x0233, false}, {0x03D8, 0x03EF, false},
    {0x0460, 0x0481, false}, {0x048A, 0x04BF, false}, {0x04C1, 0x04CE, true},
    {0x04D0, 0x052F, false}, {0x1E00, 0x1E95, false}, {0x1EA0, 0x1EFF, false},
};

// Blocks of small letters a fixed distance above their capitals.
struct ShiftedBlock {
  char16_t first;
  char16_t last;
  char16_t distance;
};
constexpr ShiftedBlock kShiftedBlocks[] = {
    {u'a', u'z', 0x20},     {0x00E0, 0x00F6, 0x20}, {0x00F8, 0x00FE, 0x20},
    {0x03B1, 0x03C1, 0x20}, {0x03C3, 0x03CB, 0x20}, {0x03AD, 0x03AF, 0x25},
    {0x03CD, 0x03CE, 0x3F}, {0x0430, 0x044F, 0x20}, {0x0450, 0x045F, 0x50},
    {0x0561, 0x0586, 0x30}, {0x2170, 0x217F, 0x10}, {0x24D0, 0x24E9, 0x1A},
    {0xFF41, 0xFF5A, 0x20},
};

}  // namespace

char16_t UpcaseAsWindows(char16_t c) {
  if (c < u'a') return c;
  for (const auto& block : kShiftedBlocks)
    if (c >= block.first && c <= block.last) return static_cast<char16_t>(c - block.distance);
  for (const auto& block : kPairedBlocks)
    if (c >= block.first && c <= block.last && ((c & 1) != 0) != block.oddUpper)
      return static_cast<char16_t>(c - 1);
  switch (c) {
    case 0x00FF: return 0x0178;
    case 0x03C2: return 0x03A3;  // final sigma
    case 0x03AC: return 0x0386;
    case 0x03CC: return 0x038C;
    case 0x04CF: return 0x04C0;
    default: return c;
  }
}

bool SameFileName(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && UpcaseAsWindows(a[i]) != UpcaseAsWindows(b[i])) return false;
  return true;
}

namespace {

Text Folded(TextView text) {
  Text out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

bool Same(char16_t maskChar, char16_t nameChar) { return maskChar == nameChar || maskChar == u'?'; }

}  // namespace

bool MatchMask(TextView nameIn, TextView maskIn) {
  if (nameIn.empty() || maskIn.empty()) return false;
  Text name = Folded(nameIn);
  const Text mask = Folded(maskIn);
  if (name.find(u'.') == Text::npos) name += u'.';

  size_t n = 0, m = 0;
  while (n < name.size() && m < mask.size() && mask[m] != u'*') {
    if (!Same(mask[m], name[n])) return false;
    ++n;
    ++m;
  }
  size_t starMask = Text::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == u'*') {
      if (++m == mask.size()) return true;
      starMask = m;
      starName = n + 1;
    } else if (m < mask.size() && Same(mask[m], name[n])) {
      ++m;
      ++n;
    } else {
      if (starMask == Text::npos) return false;
      m = starMask;
      n = starName++;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

int StartsWithFolded(TextView text, TextView prefix) {
  if (text.empty() || prefix.empty() || prefix.size() > text.size()) return 0;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (FoldCase(text[i]) != FoldCase(prefix[i])) return 0;
  return 1;
}

int EqualsFolded(TextView a, TextView b) {
  if (a.empty() || b.empty() || a.size() != b.size()) return 0;
  return StartsWithFolded(a, b);
}

int FindByPrefix(const ItemList& list, TextView prefix) {
  for (int i = 0; i < Count(list); ++i)
    if (StartsWithFolded(ItemName(At(list, i)), prefix)) return i;
  return -1;
}

}  // namespace nrv
