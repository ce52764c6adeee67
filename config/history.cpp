#include "config/history.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/settings.h"
#include "core/masks.h"
#include "platform/registry_text.h"

namespace nrv {
namespace {

constexpr uint32_t kMaxValuesRead = 100;
constexpr size_t kMaxEntryLength = 259;
constexpr size_t kMaxPositionPairs = 100;

bool IsPositionList(int list) { return list == kHistoryViewer || list == kHistoryEditor; }

bool SameFolded(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

struct Value {
  Text name;
  Text data;
};

// "Item%d" names give the order back where the registry enumerates by name (Wine does), so a
// list longer than ten stays oldest first.
long ItemNumber(TextView name) {
  if (name.size() < 5 || name.substr(0, 4) != u"Item") return -1;
  long number = 0;
  for (char16_t c : name.substr(4)) {
    if (c < u'0' || c > u'9' || number > 1000000) return -1;
    number = number * 10 + (c - u'0');
  }
  return number;
}

std::vector<Value> ReadValues(int list) {
  std::vector<Value> values;
  platform::RegistryKey key;
  if (platform::OpenUserKey(HistoryKeyPath(list), platform::RegistryAccess::Read, key) != 0)
    return values;
  uint32_t count = 0;
  if (platform::CountValues(key, &count) != 0) return values;
  count = std::min(count, kMaxValuesRead);
  for (uint32_t index = 0; index < count; ++index) {
    Value value;
    if (platform::EnumTextValue(key, index, kMaxEntryLength, value.name, value.data) == 0)
      values.push_back(std::move(value));
  }
  if (!IsPositionList(list) &&
      std::all_of(values.begin(), values.end(), [](const Value& v) { return ItemNumber(v.name) >= 0; }))
    std::stable_sort(values.begin(), values.end(), [](const Value& a, const Value& b) {
      return ItemNumber(a.name) < ItemNumber(b.name);
    });
  return values;
}

Text ItemName(size_t index) { return u"Item" + Ascii(std::to_string(index)); }

void WriteEntries(const platform::RegistryKey& key, const std::vector<Text>& kept, TextView entry,
                  int limit) {
  // At most limit - 1 of the old entries stay, the oldest go first.
  const long keep = std::max<long>(0, limit - 1);
  const size_t drop = kept.size() > static_cast<size_t>(keep) ? kept.size() - keep : 0;
  size_t index = 0;
  for (size_t i = drop; i < kept.size(); ++i) platform::SetTextValue(key, ItemName(index++), kept[i]);
  platform::SetTextValue(key, ItemName(index), entry);
}

void WritePositions(const platform::RegistryKey& key, const std::vector<Value>& kept, TextView path,
                    int64_t position) {
  const size_t drop = kept.size() > kMaxPositionPairs - 1 ? kept.size() - (kMaxPositionPairs - 1) : 0;
  for (size_t i = drop; i < kept.size(); ++i) platform::SetTextValue(key, kept[i].name, kept[i].data);
  platform::SetTextValue(key, path, Ascii(std::to_string(position)));
}

}  // namespace

Text HistoryKeyPath(int list) {
  static const char16_t* const kNames[] = {u"Copy",    u"Move",           u"AddToArchive",
                                           u"CreateFolder", u"Viewer",   u"Editor",
                                           u"RecentLocations", u"ExtractFromArchive",
                                           u"Selections", u"Find", u"FtpUrls"};
  // 11: the servers the Open URL dialog saved.
  if (list < 1 || list > 11) return {};
  return Text(u"Software\\Norvane\\History\\") + kNames[list - 1];
}

int AddHistory(const Settings& settings, int list, TextView entry, int64_t position) {
  const Text path = HistoryKeyPath(list);
  if (path.empty()) return -1;
  const std::vector<Value> values = ReadValues(list);

  std::vector<Value> keptPairs;
  std::vector<Text> keptEntries;
  for (const Value& value : values) {
    if (IsPositionList(list)) {
      const bool duplicate =
          SameFolded(value.name, entry) ||
          std::any_of(keptPairs.begin(), keptPairs.end(),
                      [&](const Value& kept) { return SameFolded(kept.name, value.name); });
      if (!duplicate) keptPairs.push_back(value);
    } else {
      // An unreadable (empty or overlong) entry is not carried over.
      const bool duplicate =
          value.data.empty() || SameFolded(value.data, entry) ||
          std::any_of(keptEntries.begin(), keptEntries.end(),
                      [&](const Text& kept) { return SameFolded(kept, value.data); });
      if (!duplicate) keptEntries.push_back(value.data);
    }
  }

  platform::DeleteUserKey(path);
  platform::RegistryKey key;
  if (platform::CreateUserKey(path, platform::RegistryAccess::Write, key) != 0) return 0;
  if (IsPositionList(list))
    WritePositions(key, keptPairs, entry, position);
  else
    WriteEntries(key, keptEntries, entry, settings.HistoryCount);
  return 0;
}

std::vector<Text> ReadHistory(int list) {
  std::vector<Text> entries;
  if (IsPositionList(list) || HistoryKeyPath(list).empty()) return entries;
  for (Value& value : ReadValues(list))
    if (!value.data.empty()) entries.push_back(std::move(value.data));
  return entries;
}

std::optional<int64_t> ReadHistoryPosition(int list, TextView path) {
  if (!IsPositionList(list)) return std::nullopt;
  for (const Value& value : ReadValues(list)) {
    if (!SameFolded(value.name, path) || value.data.empty()) continue;
    const bool negative = value.data[0] == u'-';
    uint64_t number = 0;
    for (size_t i = negative ? 1 : 0; i < value.data.size() && i < 20; ++i) {
      if (value.data[i] < u'0' || value.data[i] > u'9') break;
      number = number * 10 + static_cast<uint64_t>(value.data[i] - u'0');
    }
    const auto magnitude = static_cast<int64_t>(std::min<uint64_t>(number, INT64_MAX));
    return negative ? -magnitude : magnitude;
  }
  return std::nullopt;
}

}  // namespace nrv
