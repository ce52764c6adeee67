#pragma once
// A history list's value names and texts as the registry holds them, in enumeration order.
#include <utility>
#include <vector>

#include "config/history.h"
#include "platform/registry.h"
#include "platform/registry_text.h"

namespace nrv::test {

inline std::vector<std::pair<Text, Text>> StoredHistory(int list) {
  std::vector<std::pair<Text, Text>> stored;
  platform::RegistryKey key;
  if (platform::OpenUserKey(HistoryKeyPath(list), platform::RegistryAccess::Read, key) != 0) return stored;
  Text name, text;
  for (uint32_t i = 0; platform::EnumTextValue(key, i, 1000, name, text) == 0; ++i) stored.emplace_back(name, text);
  return stored;
}

}  // namespace nrv::test
