#include "viewer/viewer_search.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/masks.h"
#include "viewer/viewer_screen.h"

namespace nrv {

namespace {

using FoldTable = std::array<uint8_t, 256>;

FoldTable MakeFoldTable(SearchFold fold, int characterSet) {
  FoldTable table{};
  for (int b = 0; b < 256; ++b) {
    table[static_cast<size_t>(b)] = static_cast<uint8_t>(b);
    if (b >= 'A' && b <= 'Z') table[static_cast<size_t>(b)] = static_cast<uint8_t>(b + 0x20);
    if (fold != SearchFold::kCodePage || b < 0x80) continue;
    const char16_t folded = FoldCase(CodePageChar(static_cast<uint8_t>(b), characterSet));
    const std::string back = EncodeToCodePage(TextView(&folded, 1), characterSet);
    if (back[0] != '?') table[static_cast<size_t>(b)] = static_cast<uint8_t>(back[0]);
  }
  return table;
}

// Lowers A to Z and the two-byte Cyrillic capitals (U+0401, U+0410 to U+042F) in place; their
// small letters take two bytes as well.
void FoldUtf8(uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    uint8_t& b = bytes[i];
    if (b >= 'A' && b <= 'Z') {
      b = static_cast<uint8_t>(b + 0x20);
    } else if (b == 0xD0 && i + 1 < n) {
      uint8_t& next = bytes[i + 1];
      if (next >= 0x90 && next <= 0x9F) {
        next = static_cast<uint8_t>(next + 0x20);
      } else if (next >= 0xA0 && next <= 0xAF) {
        b = 0xD1, next = static_cast<uint8_t>(next - 0x20);
      } else if (next == 0x81) {
        b = 0xD1, next = 0x91;
      }
      ++i;
    }
  }
}

struct Horspool {
  std::array<size_t, 256> skip;
  const uint8_t* pattern;
  size_t m;
};

Horspool MakeHorspool(const std::string& pattern) {
  Horspool h;
  h.pattern = reinterpret_cast<const uint8_t*>(pattern.data());
  h.m = pattern.size();
  h.skip.fill(h.m);
  for (size_t i = 0; i + 1 < h.m; ++i) h.skip[h.pattern[i]] = h.m - 1 - i;
  return h;
}

bool SameFolded(const uint8_t* block, const uint8_t* pattern, size_t m, const FoldTable& fold) {
  for (size_t k = 0; k < m; ++k)
    if (fold[block[k]] != pattern[k]) return false;
  return true;
}

// First (or last) index of the pattern in block, or -1. With a fold table the block is read
// through it, so it need not be folded first.
int64_t SearchBlock(const Horspool& h, const uint8_t* block, size_t n, bool last, const FoldTable* fold) {
  int64_t found = -1;
  if (n < h.m) return -1;
  const uint8_t tail = h.pattern[h.m - 1];
  for (size_t i = 0; i <= n - h.m;) {
    uint8_t under = block[i + h.m - 1];
    if (fold != nullptr) under = (*fold)[under];
    if (under == tail && (fold != nullptr ? SameFolded(block + i, h.pattern, h.m - 1, *fold)
                                          : std::memcmp(block + i, h.pattern, h.m - 1) == 0)) {
      found = static_cast<int64_t>(i);
      if (!last) return found;
    }
    i += h.skip[under];
  }
  return found;
}

int64_t SearchUnits(const char16_t* block, size_t n, const std::u16string& pattern, bool last) {
  int64_t found = -1;
  const size_t m = pattern.size();
  if (n < m) return -1;
  for (size_t i = 0; i <= n - m; ++i) {
    if (block[i] == pattern[0] && std::equal(pattern.begin(), pattern.end(), block + i)) {
      found = static_cast<int64_t>(i);
      if (!last) return found;
    }
  }
  return found;
}

// Serves the 8192-byte blocks from reads of 1 MiB, so that a search makes few system calls.
struct ReadAhead {
  explicit ReadAhead(const SearchRun& run)
      : file(*run.file),
        backward(run.backward),
        buffer(static_cast<size_t>(std::clamp<int64_t>(run.fileSize, kSearchBlock, 1 << 20))) {}

  const ViewerFile& file;
  bool backward;
  std::vector<uint8_t> buffer;
  int64_t start = 0;
  int64_t length = 0;

  // Bytes copied to out (0 at the end), or -1 on a read error.
  int64_t Read(int64_t position, uint8_t* out, size_t count) {
    const int64_t end = position + static_cast<int64_t>(count);
    if (position < start || end > start + length) {
      const int64_t size = static_cast<int64_t>(buffer.size());
      start = backward ? std::max<int64_t>(end - size, 0) : position;
      length = ReadViewerFile(file, start, buffer.data(), buffer.size());
      if (length < 0) {
        length = 0;
        return -1;
      }
    }
    const int64_t n = std::clamp<int64_t>(start + length - position, 0, static_cast<int64_t>(count));
    std::memcpy(out, buffer.data() + (position - start), static_cast<size_t>(n));
    return n;
  }
};

// Block positions and progress, shared by the byte and unit searches; positions are in units
// of unitBytes.
class BlockWalk {
 public:
  BlockWalk(const SearchRun& run, int64_t start, size_t m, int unitBytes)
      : run_(run), m_(static_cast<int64_t>(m)), unitBytes_(unitBytes) {
    if (run.backward) {
      hi_ = start;
    } else {
      lo_ = start;
    }
  }

  // The next block [lo, lo + count) to read; false when the search is over.
  bool Next(int64_t& lo, size_t& count) {
    if (run_.stop != nullptr && run_.stop->load()) return false;
    const int64_t capacity = static_cast<int64_t>(kSearchBlock) / unitBytes_;
    if (run_.backward) {
      if (done_ || hi_ < m_) return false;
      lo_ = std::max<int64_t>(hi_ - capacity, 0);
      count = static_cast<size_t>(hi_ - lo_);
    } else {
      count = static_cast<size_t>(capacity);
    }
    Report();
    lo = lo_;
    return true;
  }

  void Advance(size_t read) {
    const int64_t n = static_cast<int64_t>(read);
    if (run_.backward) {
      done_ = lo_ == 0;
      hi_ = lo_ + m_ - 1;
    } else {
      lo_ += n > m_ ? n - m_ : n;
    }
  }

 private:
  void Report() {
    if (!run_.progress) return;
    const int64_t size = std::max<int64_t>(run_.fileSize, 1);
    const int percent = static_cast<int>(std::clamp<int64_t>(lo_ * unitBytes_ * 100 / size, 0, 100));
    if (percent == percent_) return;
    percent_ = percent;
    run_.progress(percent);
  }

  const SearchRun& run_;
  int64_t m_;
  int unitBytes_;
  int64_t lo_ = 0;
  int64_t hi_ = 0;
  bool done_ = false;
  int percent_ = -1;
};

}  // namespace

bool ParseHexPattern(TextView text, std::string& bytes) {
  bytes.clear();
  auto digit = [](char16_t c) -> int {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
  };
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == u' ') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return false;
    const int high = digit(text[i]), low = digit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return !bytes.empty();
}

// Reads the blocks in turn; searchBlock(bytes, count in units) gives a hit's index or -1.
template <typename SearchBlockFn>
int64_t WalkBlocks(const SearchRun& run, int64_t start, size_t m, int unitBytes, SearchBlockFn searchBlock) {
  std::vector<uint8_t> bytes(kSearchBlock);
  BlockWalk walk(run, start, m, unitBytes);
  ReadAhead reader(run);
  int64_t lo = 0;
  size_t count = 0;
  while (walk.Next(lo, count)) {
    const int64_t read = reader.Read(lo * unitBytes, bytes.data(), count * static_cast<size_t>(unitBytes));
    if (read < unitBytes) return -1;
    const size_t n = static_cast<size_t>(read / unitBytes);
    const int64_t hit = searchBlock(bytes.data(), n);
    if (hit >= 0) return lo + hit;
    walk.Advance(n);
  }
  return -1;
}

int64_t FindBytes(const SearchRun& run, int64_t start, const std::string& pattern) {
  if (pattern.empty() || pattern.size() > kSearchBlock || run.file == nullptr || start < 0) return -1;
  const Horspool h = MakeHorspool(pattern);
  const bool folding = run.fold == SearchFold::kAsciiOnly || run.fold == SearchFold::kCodePage;
  const FoldTable table = MakeFoldTable(run.fold, run.characterSet);
  return WalkBlocks(run, start, pattern.size(), 1, [&](uint8_t* block, size_t n) {
    if (run.fold == SearchFold::kUtf8) FoldUtf8(block, n);
    return SearchBlock(h, block, n, run.backward, folding ? &table : nullptr);
  });
}

int64_t FindUnits(const SearchRun& run, int64_t start, const std::u16string& pattern) {
  constexpr size_t kUnits = kSearchBlock / 2;
  if (pattern.empty() || pattern.size() > kUnits || run.file == nullptr || start < 0) return -1;
  std::vector<char16_t> units(kUnits);
  return WalkBlocks(run, start, pattern.size(), 2, [&](const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      const auto unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
      units[i] = run.fold == SearchFold::kNone ? unit : FoldCase(unit);
    }
    return SearchUnits(units.data(), n, pattern, run.backward);
  });
}

int FindNext(ViewerDocument& doc, std::function<void(int)> progress, const std::atomic<bool>* stop,
             bool backward) {
  SearchState& search = doc.search;
  if (search.text.empty()) return kSearchNoText;
  const ViewerMode mode = ModeOf(doc);
  const int unit = UnitSize(doc);  // of viewTop and start
  SearchRun run;
  run.file = &doc.file;
  run.fileSize = doc.fileSize;
  run.backward = backward;
  run.characterSet = doc.characterSet;
  run.progress = std::move(progress);
  run.stop = stop;

  int64_t hit = -1;  // in bytes, or in UTF-16 units when unitHit
  bool unitHit = false;
  if (search.hexSearch) {
    std::string pattern;
    if (!ParseHexPattern(search.text, pattern)) return kSearchBadHex;
    hit = FindBytes(run, search.start * unit, pattern);
  } else {
    if (!search.caseSensitive)
      for (auto& c : search.text) c = FoldCase(c);
    if (doc.isUnicode) {
      run.fold = search.caseSensitive ? SearchFold::kNone : SearchFold::kCodePage;
      hit = FindUnits(run, mode == kModeHex ? search.start / 2 : search.start, search.text);
      unitHit = true;
    } else {
      std::string pattern = doc.isUtf8 ? ToUtf8(search.text) : EncodeToCodePage(search.text, doc.characterSet);
      if (pattern.size() > 1024) pattern.resize(1024);
      if (!search.caseSensitive)
        run.fold = mode != kModeText ? SearchFold::kAsciiOnly
                   : doc.isUtf8      ? SearchFold::kUtf8
                                     : SearchFold::kCodePage;
      hit = FindBytes(run, search.start, pattern);
    }
  }
  if (hit < 0) return kSearchNotFound;

  // The hit in the units viewTop counts in.
  int64_t p = hit;
  if (unitHit && mode == kModeHex) p = hit * 2;
  if (!unitHit && unit == 2) p = hit / 2;
  switch (mode) {
    case kModeText:
      doc.viewTop = p;
      doc.lineDelta = -2;
      doc.reread = true;
      break;
    case kModeHex:
      doc.viewTop = p - 2 * kHexRowBytes;
      break;
    case kModeDump:
      doc.viewTop = p - 2 * static_cast<int64_t>(doc.geometry.textColumns);
      break;
  }
  doc.viewTop = std::max<int64_t>(doc.viewTop, 0);
  LayoutScreen(doc);
  search.start = backward ? p : doc.screenEnd / unit;
  return kSearchFound;
}

void BuildMatches(const SearchState& search, TextView buffer, std::vector<MatchSpan>& matches) {
  matches.clear();
  const size_t m = search.text.size();
  if (m == 0 || buffer.size() <= m) return;
  Text folded;
  if (!search.caseSensitive) {
    folded.assign(buffer);
    for (auto& c : folded) c = FoldCase(c);
    buffer = folded;
  }
  for (size_t at = buffer.find(search.text); at != TextView::npos; at = buffer.find(search.text, at + 1))
    matches.push_back({static_cast<int64_t>(at), static_cast<int64_t>(at + m)});
}

namespace {

// A hex pattern as its bytes are drawn; empty where bytes are not drawn one by one.
Text ShownHexPattern(const ViewerDocument& doc) {
  std::string bytes;
  if ((doc.isUnicode || doc.isUtf8) && ModeOf(doc) != kModeHex) return {};
  if (!ParseHexPattern(doc.search.text, bytes)) return {};
  Text shown;
  for (char b : bytes) shown += DecodeByte(static_cast<uint8_t>(b), doc.characterSet, doc.geometry.fontCharSet);
  return shown;
}

// A hex pattern over the bytes of a decoded window: each hit covers the characters from the one
// its first byte belongs to up to the one its last byte belongs to.
void BuildDecodedHexMatches(ViewerDocument& doc) {
  auto& matches = doc.search.matches;
  matches.clear();
  std::string pattern;
  const TextWindow& w = doc.window;
  if (!ParseHexPattern(doc.search.text, pattern) || w.chars.empty()) return;
  const int64_t unit = doc.isUnicode ? 2 : 1;
  std::string bytes(static_cast<size_t>(w.length * unit), '\0');
  const int64_t read = ReadViewerFile(doc.file, w.base * unit, bytes.data(), bytes.size());
  if (read <= 0) return;
  bytes.resize(static_cast<size_t>(read));
  // The byte where each character starts, relative to the window's first byte.
  std::vector<int64_t> starts(w.offsets.size());
  for (size_t i = 0; i < starts.size(); ++i) starts[i] = w.offsets[i] * unit;
  for (size_t at = bytes.find(pattern); at != std::string::npos; at = bytes.find(pattern, at + 1)) {
    const int64_t first = static_cast<int64_t>(at), end = first + static_cast<int64_t>(pattern.size());
    auto from = std::upper_bound(starts.begin(), starts.end(), first);
    if (from == starts.begin()) continue;
    from = std::lower_bound(starts.begin(), starts.end(), *std::prev(from));  // a pair's first half
    const auto to = std::lower_bound(from, starts.end(), end);
    matches.push_back({from - starts.begin(), to - starts.begin()});
  }
}

}  // namespace

void BuildShownMatches(const ViewerDocument& doc, TextView buffer, std::vector<MatchSpan>& matches) {
  if (!doc.search.hexSearch) {
    BuildMatches(doc.search, buffer, matches);
    return;
  }
  SearchState bytes;
  bytes.text = ShownHexPattern(doc);
  bytes.caseSensitive = true;
  BuildMatches(bytes, buffer, matches);
}

void BuildDumpHexMatches(TextView hexText, const uint8_t* bytes, size_t size, int unit,
                         std::vector<MatchSpan>& matches) {
  matches.clear();
  std::string pattern;
  if (!ParseHexPattern(hexText, pattern) || unit < 1) return;
  const std::string_view shown(reinterpret_cast<const char*>(bytes), size);
  const auto cells = static_cast<size_t>(unit);
  for (size_t at = shown.find(pattern); at != std::string_view::npos; at = shown.find(pattern, at + 1))
    matches.push_back({static_cast<int64_t>(at / cells), static_cast<int64_t>((at + pattern.size() - 1) / cells + 1)});
}

bool IsMatched(const std::vector<MatchSpan>& matches, int64_t index) {
  // The last match starting at or before index; the ends never go down, so it reaches furthest.
  auto it = std::upper_bound(matches.begin(), matches.end(), index,
                             [](int64_t i, const MatchSpan& span) { return i < span.from; });
  return it != matches.begin() && index < std::prev(it)->to;
}

void BuildWindowMatches(ViewerDocument& doc) {
  if (doc.search.text.empty()) {
    doc.search.matches.clear();
    return;
  }
  const auto& chars = doc.window.chars;
  if (doc.isUnicode || doc.isUtf8) {
    if (doc.search.hexSearch)
      BuildDecodedHexMatches(doc);
    else
      BuildMatches(doc.search, TextView(chars.data(), chars.size()), doc.search.matches);
    return;
  }
  Text shown(chars.size(), u' ');
  for (size_t i = 0; i < chars.size(); ++i)
    shown[i] = DecodeByte(static_cast<uint8_t>(chars[i]), doc.characterSet, doc.geometry.fontCharSet);
  BuildShownMatches(doc, shown, doc.search.matches);
}

void ResetSearch(SearchState& search) {
  search.text.clear();
  search.matches.clear();
}

}  // namespace nrv
