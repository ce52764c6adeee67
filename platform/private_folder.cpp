#include "platform/private_folder.h"

namespace nrv::platform {

uint32_t PrivateFolderOwner(TextView name) {
  constexpr TextView kPrefix = u"Norvane-";
  if (name.size() <= kPrefix.size() || name.size() > kPrefix.size() + 10) return 0;
  for (size_t i = 0; i < kPrefix.size(); ++i) {
    char16_t c = name[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    char16_t p = kPrefix[i];
    if (p >= u'A' && p <= u'Z') p = static_cast<char16_t>(p + 32);
    if (c != p) return 0;
  }
  uint64_t pid = 0;
  for (const char16_t c : name.substr(kPrefix.size())) {
    if (c < u'0' || c > u'9') return 0;
    pid = pid * 10 + static_cast<uint64_t>(c - u'0');
  }
  return pid > 0 && pid <= UINT32_MAX ? static_cast<uint32_t>(pid) : 0;
}

}  // namespace nrv::platform
