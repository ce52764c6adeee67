#include "ftp/machine_listing.h"

#include <cctype>

namespace nrv {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool Digits(std::string_view text, size_t count, uint64_t& value) {
  if (text.size() < count) return false;
  value = 0;
  for (size_t i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  return true;
}

// Digits only; a number beyond 64 bits gives the largest value.
bool SizeDigits(std::string_view text, uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    value = value > (UINT64_MAX - digit) / 10 ? UINT64_MAX : value * 10 + digit;
  }
  return true;
}

// Days from 1601-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysSince1601(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const int64_t daysSince1970 = era * 146097 + dayOfEra - 719468;
  return daysSince1970 + 134774;
}

}  // namespace

uint64_t MachineTimeToFileTime(std::string_view text) {
  uint64_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(text, 4, year) || !Digits(text.substr(4), 2, month) || !Digits(text.substr(6), 2, day) ||
      !Digits(text.substr(8), 2, hour) || !Digits(text.substr(10), 2, minute) || !Digits(text.substr(12), 2, second))
    return 0;
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
    return 0;
  const int64_t days = DaysSince1601(static_cast<int64_t>(year), static_cast<int64_t>(month), static_cast<int64_t>(day));
  const uint64_t seconds = static_cast<uint64_t>(days) * 86400 + hour * 3600 + minute * 60 + second;
  return seconds * 10000000;
}

std::optional<MachineEntry> ParseMachineLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos || blank + 1 >= line.size()) return std::nullopt;
  MachineEntry entry;
  entry.name = std::string(line.substr(blank + 1));
  std::string_view facts = line.substr(0, blank);
  bool typed = false;
  while (!facts.empty()) {
    const size_t end = facts.find(';');
    const std::string_view fact = facts.substr(0, end);
    facts = end == std::string_view::npos ? std::string_view() : facts.substr(end + 1);
    const size_t equals = fact.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = fact.substr(0, equals), value = fact.substr(equals + 1);
    if (EqualsNoCase(key, "type")) {
      if (EqualsNoCase(value, "cdir") || EqualsNoCase(value, "pdir")) return std::nullopt;
      entry.attributes = EqualsNoCase(value, "dir") ? platform::kAttributeDirectory : platform::kAttributeNormal;
      typed = true;
    } else if (EqualsNoCase(key, "size")) {
      uint64_t size = 0;
      if (SizeDigits(value, size)) entry.size = size;
    } else if (EqualsNoCase(key, "modify")) {
      entry.writeTime = MachineTimeToFileTime(value);
    }
  }
  if (!typed || entry.name == "." || entry.name == "..") return std::nullopt;
  return entry;
}

bool AppendListingText(std::string& text, std::string_view block, size_t limit) {
  if (text.size() <= limit && block.size() <= limit - text.size()) {
    text.append(block);
    return true;
  }
  text.append(block.substr(0, limit > text.size() ? limit - text.size() : 0));
  const size_t lastLine = text.rfind('\n');
  text.resize(lastLine == std::string::npos ? 0 : lastLine + 1);
  return false;
}

bool ParseMachineListing(std::string_view text, size_t maxEntries, std::vector<MachineEntry>& entries) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (auto entry = ParseMachineLine(text.substr(start, end - start))) {
      if (entries.size() >= maxEntries) return true;
      entries.push_back(std::move(*entry));
    }
    start = end + 1;
  }
  return false;
}

std::optional<PassiveAddress> ParsePassiveReply(std::string_view reply) {
  if (reply.size() < 3 || reply.substr(0, 3) != "227") return std::nullopt;
  const size_t open = reply.find('(');
  size_t at = open == std::string_view::npos ? reply.find_first_of("0123456789", 3) : open + 1;
  uint32_t numbers[6] = {};
  for (int i = 0; i < 6; ++i) {
    if (at >= reply.size() || reply[at] < '0' || reply[at] > '9') return std::nullopt;
    uint32_t value = 0;
    while (at < reply.size() && reply[at] >= '0' && reply[at] <= '9' && value <= 255)
      value = value * 10 + static_cast<uint32_t>(reply[at++] - '0');
    if (value > 255) return std::nullopt;
    numbers[i] = value;
    if (i < 5) {
      if (at >= reply.size() || reply[at] != ',') return std::nullopt;
      ++at;
    }
  }
  PassiveAddress address;
  for (int i = 0; i < 4; ++i) address.host += (i ? "." : "") + std::to_string(numbers[i]);
  address.port = static_cast<uint16_t>(numbers[4] * 256 + numbers[5]);
  if (address.port == 0) return std::nullopt;
  return address;
}

std::string PortCommand(uint32_t address, uint16_t port) {
  std::string command = "PORT ";
  for (int shift = 24; shift >= 0; shift -= 8) command += std::to_string((address >> shift) & 0xFF) + ",";
  return command + std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
}

platform::FindData ToFindData(const MachineEntry& entry, Text name) {
  platform::FindData data;
  data.name = std::move(name);
  data.attributes = entry.attributes;
  data.writeTime = data.creationTime = data.accessTime = entry.writeTime;
  if (!(entry.attributes & platform::kAttributeDirectory)) {
    data.sizeHigh = static_cast<uint32_t>(entry.size >> 32);
    data.sizeLow = static_cast<uint32_t>(entry.size);
  }
  return data;
}

}  // namespace nrv
