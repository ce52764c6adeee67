#include "config/tab_store.h"

#include "config/settings_store.h"
#include "platform/errors.h"
#include "platform/registry.h"

namespace nrv {
namespace {

const char16_t* TabsName(int32_t side) { return side == kRightPanel ? u"TabsRight" : u"TabsLeft"; }
const char16_t* CurrentName(int32_t side) { return side == kRightPanel ? u"TabCurrentRight" : u"TabCurrentLeft"; }
constexpr char16_t kSwitchName[] = u"PanelAlwaysShowTabs";

uint32_t WriteSide(const platform::RegistryKey& key, int32_t side, const SavedTabs& saved) {
  const Text data = JoinMultiString(saved.values);
  const auto bytes = static_cast<uint32_t>(data.size() * sizeof(char16_t));
  if (const uint32_t error = platform::SetValue(key, TabsName(side), kRegMultiSz, data.data(), bytes)) return error;
  const int32_t current = saved.current;
  return platform::SetValue(key, CurrentName(side), platform::kRegDword, &current, 4);
}

}  // namespace

Text JoinMultiString(const std::vector<Text>& strings) {
  Text data;
  for (const Text& one : strings) {
    data += one;
    data += u'\0';
  }
  data += u'\0';
  return data;
}

bool SplitMultiString(TextView data, std::vector<Text>& strings) {
  strings.clear();
  // Another writer may leave out the final terminator; an empty string ends the list.
  while (!data.empty() && data.front() != u'\0') {
    const size_t end = data.find(u'\0');
    if (strings.size() >= static_cast<size_t>(kMaxTabsPerPanel)) return false;
    strings.emplace_back(data.substr(0, end));
    if (end == TextView::npos) break;
    data.remove_prefix(end + 1);
  }
  return true;
}

uint32_t SaveTabValues(const SavedTabs& left, const SavedTabs& right, const Settings& settings) {
  platform::RegistryKey key;
  if (const uint32_t error = platform::CreateUserKey(kSettingsKeyPath, platform::RegistryAccess::Write, key))
    return error;
  if (const uint32_t error = WriteSide(key, kLeftPanel, left)) return error;
  if (const uint32_t error = WriteSide(key, kRightPanel, right)) return error;
  const uint8_t always = settings.PanelAlwaysShowTabs;
  return platform::SetValue(key, kSwitchName, platform::kRegBinary, &always, 1);
}

bool LoadTabValues(int32_t side, SavedTabs& saved) {
  saved = {};
  platform::RegistryKey key;
  if (platform::OpenUserKey(kSettingsKeyPath, platform::RegistryAccess::Read, key) != platform::kErrorSuccess)
    return false;
  uint32_t type = 0, size = 0;
  if (platform::QueryValue(key, TabsName(side), &type, nullptr, &size) != platform::kErrorSuccess ||
      type != kRegMultiSz || size % 2 != 0 || size / 2 > kMaxTabsPerPanel * kMaxSavedTabCharacters)
    return false;
  Text data(size / 2, u'\0');
  uint32_t readSize = size;
  if (platform::QueryValue(key, TabsName(side), &type, data.data(), &readSize) != platform::kErrorSuccess ||
      readSize != size || !SplitMultiString(data, saved.values)) {
    saved.values.clear();
    return false;
  }
  int32_t current = 0;
  size = 4;
  if (platform::QueryValue(key, CurrentName(side), &type, &current, &size) == platform::kErrorSuccess &&
      type == platform::kRegDword && size == 4)
    saved.current = current;
  return true;
}

void LoadTabSwitch(Settings& settings) {
  platform::RegistryKey key;
  if (platform::OpenUserKey(kSettingsKeyPath, platform::RegistryAccess::Read, key) != platform::kErrorSuccess)
    return;
  uint8_t value = 0;
  uint32_t type = 0, size = 1;
  if (platform::QueryValue(key, kSwitchName, &type, &value, &size) == platform::kErrorSuccess &&
      type == platform::kRegBinary && size == 1)
    settings.PanelAlwaysShowTabs = value != 0;
}

}  // namespace nrv
