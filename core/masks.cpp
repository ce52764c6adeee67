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
