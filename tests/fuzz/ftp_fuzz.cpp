// Random text through the URL field and the paths of a transfer. A field is either refused
// with a reason or gives a host and a port from 1 to 65535; a plain host:port survives being
// written and read back (the saved-server form too); joined remote paths keep their name and
// lead back to their folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ftp/ftp_address.h"
#include "ftp/ftp_jobs.h"
#include "ftp/saved_urls.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Plain(const nrv::Text& host) {
  for (char16_t c : host)
    if (c == u':' || c == u'[' || c == u']' || c == u'@' || c == u' ' || c == u'\t') return false;
  return !host.empty();
}

void CheckField(const nrv::Text& field) {
  const nrv::FtpAddressParse parsed = nrv::ParseUrlField(field);
  if (!parsed.ok) {
    Require(!parsed.message.empty());
    return;
  }
  Require(!parsed.address.host.empty());
  Require(parsed.address.port >= 1);
  if (!Plain(parsed.address.host) || parsed.address.host.size() > 250) return;
  const nrv::FtpAddressParse again = nrv::ParseUrlField(nrv::AddressText(parsed.address));
  Require(again.ok && again.address.host == parsed.address.host && again.address.port == parsed.address.port);
  const auto saved = nrv::ParseSavedUrl(nrv::SavedUrlEntry({parsed.address, field}));
  Require(saved && saved->login == field && saved->address.port == parsed.address.port);
}

void CheckPaths(const nrv::Text& folder, const nrv::Text& name) {
  if (name.empty() || name.find(u'/') != nrv::Text::npos) return;
  const nrv::Text remote = nrv::RemoteJoin(folder, name);
  Require(remote.size() >= name.size() && remote.compare(remote.size() - name.size(), name.size(), name) == 0);
  if (!folder.empty() && folder.front() == u'/' && folder.find(u"//") == nrv::Text::npos &&
      (folder.size() == 1 || folder.back() != u'/'))
    Require(nrv::RemoteParent(remote) == folder);
  const nrv::Text restored = nrv::RemoteRestoreFolder(folder, name);
  Require(!restored.empty() && restored.front() == u'/');
  const nrv::Text local = nrv::LocalJoin(folder, name);
  Require(local.size() > name.size() && local[local.size() - name.size() - 1] == u'\\');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nrv::Text text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  // Mostly ASCII as typed into the field: the odd bytes pick a few characters that matter.
  nrv::Text typed;
  for (size_t i = 0; i < size; ++i) {
    static const char16_t kAlphabet[] = u"a.1:[]@/ 09\\65535";
    typed.push_back(data[i] < 128 ? kAlphabet[data[i] % (sizeof(kAlphabet) / 2 - 1)] : static_cast<char16_t>(data[i]));
  }
  CheckField(text);
  CheckField(typed);
  const size_t cut = typed.find(u'\\');
  if (cut != nrv::Text::npos) CheckPaths(typed.substr(0, cut), typed.substr(cut + 1));
  return 0;
}
