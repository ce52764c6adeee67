#include "ftp/ftp_address.h"

#include <string>

namespace nrv {
namespace {

bool AllDigits(TextView text) {
  if (text.empty()) return false;
  for (char16_t c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

FtpAddressParse Refused(Text message) {
  FtpAddressParse result;
  result.message = std::move(message);
  return result;
}

// The port part after the host; refused unless it is a number from 1 to 65535.
FtpAddressParse WithPort(TextView host, TextView port) {
  if (host.empty()) return Refused(u"The host name is missing before the port: " + Text(port));
  if (!AllDigits(port)) return Refused(u"The port must be a number from 1 to 65535: \"" + Text(port) + u"\"");
  uint32_t value = 0;
  for (char16_t c : port) {
    value = value * 10 + static_cast<uint32_t>(c - u'0');
    if (value > 65535) break;
  }
  if (value < 1 || value > 65535)
    return Refused(u"The port must be a number from 1 to 65535: \"" + Text(port) + u"\"");
  FtpAddressParse result;
  result.ok = true;
  result.address.host = Text(host);
  result.address.port = static_cast<uint16_t>(value);
  return result;
}

}  // namespace

FtpAddressParse ParseUrlField(TextView field) {
  while (!field.empty() && (field.front() == u' ' || field.front() == u'\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == u' ' || field.back() == u'\t')) field.remove_suffix(1);
  if (field.empty()) return Refused(u"Enter the server's host name");
  if (field.size() >= kFtpFieldLength) return Refused(u"The host name is too long");

  // A bracketed address with colons: "[::1]" or "[::1]:2121".
  if (field.front() == u'[') {
    const size_t close = field.find(u']');
    if (close == TextView::npos) return Refused(u"The address has no closing \"]\": " + Text(field));
    const TextView host = field.substr(1, close - 1);
    const TextView rest = field.substr(close + 1);
    if (rest.empty()) {
      FtpAddressParse result = WithPort(host, u"21");
      return result;
    }
    if (rest.front() != u':') return Refused(u"Only a port may follow the address: " + Text(field));
    return WithPort(host, rest.substr(1));
  }

  const size_t colon = field.rfind(u':');
  FtpAddressParse result;
  result.ok = true;
  result.address.host = Text(field);
  if (colon == TextView::npos) return result;
  const TextView after = field.substr(colon + 1);
  // More than one colon without brackets is an address of its own; a scheme ("ftp://...")
  // or other text after the colon is not a port and stays part of the host.
  if (field.find(u':') != colon) return result;
  if (after.empty()) return Refused(u"The port is missing after \":\": " + Text(field));
  if (!AllDigits(after)) return result;
  return WithPort(field.substr(0, colon), after);
}

Text AddressText(const FtpAddress& address) {
  const Text port = Ascii(std::to_string(address.port));
  if (address.host.find(u':') != Text::npos) return u"[" + address.host + u"]:" + port;
  return address.host + u":" + port;
}

Text LocationText(const FtpAddress& address) {
  if (address.port == kDefaultFtpPort && address.host.find(u':') == Text::npos) return address.host;
  return AddressText(address);
}

}  // namespace nrv
