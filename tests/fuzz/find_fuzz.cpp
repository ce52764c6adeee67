// Random text, pattern, read size and switches through the content search, and random names and
// masks through the wildcard match, each checked against a plain reference.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/masks.h"
#include "find/content_search.h"
#include "viewer/viewer_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

uint8_t LowerAscii(uint8_t b) { return b >= 'A' && b <= 'Z' ? static_cast<uint8_t>(b + 0x20) : b; }

int64_t ReferenceFind(const std::string& text, std::string pattern, bool caseSensitive, bool wholeWords) {
  if (wholeWords) pattern = ' ' + pattern + ' ';
  for (size_t at = 0; at + pattern.size() <= text.size(); ++at) {
    size_t k = 0;
    while (k < pattern.size()) {
      uint8_t a = static_cast<uint8_t>(text[at + k]), b = static_cast<uint8_t>(pattern[k]);
      if (!caseSensitive) a = LowerAscii(a), b = LowerAscii(b);
      if (a != b) break;
      ++k;
    }
    if (k == pattern.size()) return static_cast<int64_t>(at);
  }
  return -1;
}

// "*" any run, "?" one character, letters folded; a name without "." ends with one.
bool ReferenceMatch(std::u16string name, const std::u16string& mask) {
  if (name.empty() || mask.empty()) return false;
  if (name.find(u'.') == std::u16string::npos) name += u'.';
  std::vector<std::vector<bool>> can(name.size() + 1, std::vector<bool>(mask.size() + 1, false));
  can[name.size()][mask.size()] = true;
  for (size_t m = mask.size(); m-- > 0;)
    for (size_t n = name.size() + 1; n-- > 0;) {
      if (mask[m] == u'*')
        can[n][m] = can[n][m + 1] || (n < name.size() && can[n + 1][m]);
      else if (n < name.size() && (mask[m] == u'?' || nrv::FoldCase(mask[m]) == nrv::FoldCase(name[n])))
        can[n][m] = can[n + 1][m + 1];
    }
  return can[0][0];
}

std::u16string SmallAlphabet(const uint8_t* bytes, size_t n) {
  static constexpr char16_t kLetters[] = u"aAbB.*?\u0410\u0430";
  std::u16string text;
  for (size_t i = 0; i < n; ++i) text += kLetters[bytes[i] % 9];
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const bool caseSensitive = data[0] & 1, wholeWords = data[0] & 2;
  const size_t patternLength = 1 + data[1] % 24;
  const size_t blockSize = 1 + data[2] * 7u;
  const size_t maskLength = data[3] % 12;
  data += 4;
  size -= 4;
  if (size < patternLength + maskLength) return 0;

  std::string pattern;
  std::u16string wide;
  for (size_t i = 0; i < patternLength; ++i) {
    // Printable ASCII: the same bytes in the ANSI code page.
    const char c = static_cast<char>(0x20 + data[i] % 0x5F);
    pattern += c;
    wide += static_cast<char16_t>(c);
  }
  const std::string text(reinterpret_cast<const char*>(data + patternLength), size - patternLength);
  nrv::ContentPattern compiled;
  Require(nrv::MakeContentPattern(wide, caseSensitive, wholeWords, compiled));
  nrv::ViewerFile file;
  nrv::OpenViewerMemory(file, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int64_t>(text.size()));
  Require(nrv::FindInFile(compiled, file, nullptr, blockSize) == ReferenceFind(text, pattern, caseSensitive, wholeWords));

  const std::u16string mask = SmallAlphabet(data + patternLength, maskLength);
  const std::u16string name = SmallAlphabet(data + patternLength + maskLength, (size - patternLength - maskLength) % 16);
  Require(nrv::MatchMask(name, mask) == ReferenceMatch(name, mask));
  return 0;
}
