#pragma once
// The "URL:" field of the Open URL dialog: a bare host name, or "host:port". Anything else (a
// scheme, a path, a user part) is handed to the Internet library unchanged and fails there.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

inline constexpr uint16_t kDefaultFtpPort = 21;
// Host, login and password fields are read into 260-character buffers.
inline constexpr size_t kFtpFieldLength = 260;

struct FtpAddress {
  Text host;
  uint16_t port = kDefaultFtpPort;
};

struct FtpAddressParse {
  bool ok = false;
  FtpAddress address;
  Text message;  // why the field was refused, ready to show
};

FtpAddressParse ParseUrlField(TextView field);

// "host:port" ("[v6]:port" for an address with colons).
Text AddressText(const FtpAddress& address);
// The server as the panel's title names it before the remote folder: the host alone on the
// default port, as it was typed, else AddressText.
Text LocationText(const FtpAddress& address);

}  // namespace nrv
