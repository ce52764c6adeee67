#include "ftp/saved_urls.h"

#include "config/history.h"
#include "ftp/connection_properties.h"

namespace nrv {

Text SavedUrlEntry(const SavedUrl& url) {
  const Text address = AddressText(url.address);
  return url.login.empty() ? address : url.login + u"@" + address;
}

std::optional<SavedUrl> ParseSavedUrl(TextView entry) {
  SavedUrl url;
  const size_t at = entry.rfind(u'@');
  TextView address = entry;
  if (at != TextView::npos) {
    url.login = Text(entry.substr(0, at));
    address = entry.substr(at + 1);
  }
  // A saved entry always carries its port.
  if (address.empty() || (address.back() < u'0' || address.back() > u'9')) return std::nullopt;
  const FtpAddressParse parsed = ParseUrlField(address);
  if (!parsed.ok || address.find(u':') == TextView::npos) return std::nullopt;
  url.address = parsed.address;
  return url;
}

int SaveUrl(const Settings& settings, const SavedUrl& url) {
  if (AddHistory(settings, kHistoryFtpUrls, SavedUrlEntry(url)) != 0) return -1;
  KeepPropertiesOf(ReadHistory(kHistoryFtpUrls));
  return 0;
}

std::vector<SavedUrl> SavedUrlsNewestFirst() {
  const std::vector<Text> entries = ReadHistory(kHistoryFtpUrls);
  std::vector<SavedUrl> urls;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
    if (auto url = ParseSavedUrl(*entry)) urls.push_back(std::move(*url));
  return urls;
}

}  // namespace nrv
