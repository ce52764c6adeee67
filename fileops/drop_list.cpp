#include "fileops/drop_list.h"

#include "core/file_names.h"

namespace nrv {
namespace {

void PutUint32(std::vector<uint8_t>& block, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) block[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetUint32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
         static_cast<uint32_t>(at[3]) << 24;
}

void PutUnit(std::vector<uint8_t>& block, char16_t unit) {
  block.push_back(static_cast<uint8_t>(unit & 0xFF));
  block.push_back(static_cast<uint8_t>(unit >> 8));
}

// Header fields: files offset, point x and y, non-client flag, wide flag.
constexpr size_t kFilesOffsetAt = 0;
constexpr size_t kNonClientAt = 12;
constexpr size_t kWideAt = 16;

std::vector<Text> ReadWide(const uint8_t* at, size_t bytes) {
  std::vector<Text> paths;
  Text path;
  for (size_t i = 0; i + 1 < bytes; i += 2) {
    const char16_t unit = static_cast<char16_t>(at[i] | at[i + 1] << 8);
    if (unit != u'\0') {
      path += unit;
      continue;
    }
    if (path.empty()) break;
    paths.push_back(std::move(path));
    path.clear();
  }
  return paths;
}

std::vector<Text> ReadAnsi(const uint8_t* at, size_t bytes, AnsiDecoder ansi) {
  std::vector<Text> paths;
  const std::string_view all(reinterpret_cast<const char*>(at), bytes);
  size_t start = 0;
  while (start < all.size() && all[start] != '\0') {
    const size_t end = all.find('\0', start);
    if (end == std::string_view::npos) break;
    paths.push_back(ansi(all.substr(start, end - start)));
    start = end + 1;
  }
  return paths;
}

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// "X:\" or "\\server\share\" with a server and a share that are names, not "?" or ".".
bool IsAbsolute(TextView path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == u':' && path[2] == u'\\') return true;
  if (path.size() < 5 || path[0] != u'\\' || path[1] != u'\\') return false;
  const size_t serverEnd = path.find(u'\\', 2);
  if (serverEnd == TextView::npos) return false;
  const TextView server = path.substr(2, serverEnd - 2);
  const size_t shareEnd = path.find(u'\\', serverEnd + 1);
  const TextView share = path.substr(serverEnd + 1, shareEnd == TextView::npos ? TextView::npos : shareEnd - serverEnd - 1);
  return IsOneFileName(server) && IsOneFileName(share);
}

}  // namespace

std::vector<Text> AcceptedDropPaths(const std::vector<Text>& paths, RefusedNames& refused) {
  std::vector<Text> accepted;
  for (const Text& path : paths) {
    if (!IsAbsolute(path)) {
      NoteRefused(refused, path, u"not a full path");
      continue;
    }
    // A folder may come with a closing backslash; its name is the part before.
    TextView rest(path);
    if (rest.size() > 3 && rest.back() == u'\\') rest.remove_suffix(1);
    const TextView last = rest.substr(rest.find_last_of(u'\\') + 1);
    if (const NameFault fault = CheckFileName(last); fault != NameFault::None) {
      NoteRefused(refused, path, NameFaultText(fault));
      continue;
    }
    accepted.push_back(path);
  }
  return accepted;
}

std::vector<uint8_t> BuildDropList(const std::vector<Text>& paths) {
  std::vector<uint8_t> block(kDropFilesHeaderSize, 0);
  PutUint32(block, kFilesOffsetAt, kDropFilesHeaderSize);
  PutUint32(block, kNonClientAt, 1);
  PutUint32(block, kWideAt, 1);
  for (const Text& path : paths) {
    for (char16_t unit : path) PutUnit(block, unit);
    PutUnit(block, u'\0');
  }
  PutUnit(block, u'\0');
  // An empty list still ends with two NULs, as readers expect.
  if (paths.empty()) PutUnit(block, u'\0');
  return block;
}

std::vector<Text> ReadDropList(const uint8_t* block, size_t size, AnsiDecoder ansi) {
  if (!block || size < kDropFilesHeaderSize) return {};
  const uint32_t offset = GetUint32(block + kFilesOffsetAt);
  if (offset < kDropFilesHeaderSize || offset >= size) return {};
  if (GetUint32(block + kWideAt) != 0) return ReadWide(block + offset, size - offset);
  return ReadAnsi(block + offset, size - offset, ansi);
}

}  // namespace nrv
