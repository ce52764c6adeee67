#include "ftp/connection_properties.h"

#include <algorithm>

#include "platform/registry_text.h"

namespace nrv {
namespace {

constexpr char16_t kPropertiesKey[] = u"Software\\Norvane\\History\\FtpUrlProperties";
constexpr uint32_t kMaxValuesRead = 100;
// "passive;" and the folder.
constexpr size_t kMaxValueLength = 8 + kRemoteFolderLength;

struct Stored {
  Text entry;
  Text text;
};

std::vector<Stored> ReadStored() {
  std::vector<Stored> stored;
  platform::RegistryKey key;
  if (platform::OpenUserKey(kPropertiesKey, platform::RegistryAccess::Read, key) != 0) return stored;
  uint32_t count = 0;
  if (platform::CountValues(key, &count) != 0) return stored;
  for (uint32_t index = 0; index < std::min(count, kMaxValuesRead); ++index) {
    Stored value;
    if (platform::EnumTextValue(key, index, kMaxValueLength, value.entry, value.text) == 0)
      stored.push_back(std::move(value));
  }
  return stored;
}

}  // namespace

Text PropertiesText(const ConnectionProperties& properties) {
  return Text(properties.passive ? u"passive;" : u"active;") + properties.startFolder;
}

std::optional<ConnectionProperties> ParseProperties(TextView text) {
  const size_t separator = text.find(u';');
  if (separator == TextView::npos) return std::nullopt;
  const TextView mode = text.substr(0, separator);
  if (mode != u"passive" && mode != u"active") return std::nullopt;
  ConnectionProperties properties;
  properties.passive = mode == u"passive";
  properties.startFolder = StartFolderOf(text.substr(separator + 1));
  return properties;
}

Text StartFolderOf(TextView typed) {
  while (!typed.empty() && (typed.front() == u' ' || typed.front() == u'/')) typed.remove_prefix(1);
  while (!typed.empty() && (typed.back() == u' ' || typed.back() == u'/')) typed.remove_suffix(1);
  if (typed.empty() || typed.size() >= kRemoteFolderLength) return {};
  return u"/" + Text(typed);
}

ConnectionProperties PropertiesOf(TextView entry) {
  platform::RegistryKey key;
  Text text;
  if (platform::OpenUserKey(kPropertiesKey, platform::RegistryAccess::Read, key) != 0 ||
      platform::QueryTextValue(key, entry, kMaxValueLength, text) != 0)
    return {};
  return ParseProperties(text).value_or(ConnectionProperties{});
}

int SaveProperties(TextView entry, const ConnectionProperties& properties) {
  platform::RegistryKey key;
  if (entry.empty() || platform::CreateUserKey(kPropertiesKey, platform::RegistryAccess::Write, key) != 0) return -1;
  return platform::SetTextValue(key, entry, PropertiesText(properties)) == 0 ? 0 : -1;
}

void KeepPropertiesOf(const std::vector<Text>& savedEntries) {
  const std::vector<Stored> stored = ReadStored();
  const auto saved = [&](const Stored& value) {
    return std::find(savedEntries.begin(), savedEntries.end(), value.entry) != savedEntries.end();
  };
  if (std::all_of(stored.begin(), stored.end(), saved)) return;
  // Values are rewritten whole, as the lists beside them are.
  platform::DeleteUserKey(kPropertiesKey);
  platform::RegistryKey key;
  if (platform::CreateUserKey(kPropertiesKey, platform::RegistryAccess::Write, key) != 0) return;
  for (const Stored& value : stored)
    if (saved(value)) platform::SetTextValue(key, value.entry, value.text);
}

}  // namespace nrv
