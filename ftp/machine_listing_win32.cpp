// The sockets' header goes before any that brings in windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "ftp/machine_listing_win32.h"

#include <string>

#include "ftp/machine_listing.h"

namespace nrv {
namespace {

constexpr DWORD kReplyTimeoutMs = 15000;

struct WinsockSession {
  bool started = false;
  WinsockSession() {
    WSADATA data;
    started = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() {
    if (started) ::WSACleanup();
  }
};

struct Socket {
  SOCKET handle = INVALID_SOCKET;
  ~Socket() {
    if (handle != INVALID_SOCKET) ::closesocket(handle);
  }
};

// Names go on the wire in the ANSI code page, as the Internet library sends them, so that a
// name listed here finds its file there.
std::string ToWire(TextView text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

Text FromWire(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  Text text(static_cast<size_t>(length), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(text.data()),
                        length);
  return text;
}

void LimitWaits(Socket& socket) {
  const DWORD timeout = kReplyTimeoutMs;
  ::setsockopt(socket.handle, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
}

bool Connect(Socket& socket, const std::string& host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  for (addrinfo* at = found; at; at = at->ai_next) {
    socket.handle = ::socket(at->ai_family, at->ai_socktype, at->ai_protocol);
    if (socket.handle == INVALID_SOCKET) continue;
    LimitWaits(socket);
    if (::connect(socket.handle, at->ai_addr, static_cast<int>(at->ai_addrlen)) == 0) break;
    ::closesocket(socket.handle);
    socket.handle = INVALID_SOCKET;
  }
  ::freeaddrinfo(found);
  return socket.handle != INVALID_SOCKET;
}

// Waits until socket has something to read; false once the read is stopped or the server has
// said nothing for the reply timeout. Waiting in slices lets a stopped read end at once.
bool WaitToRead(const Socket& socket, const StopFlag* stop) {
  constexpr long kSliceMs = 50;
  for (DWORD waited = 0; waited < kReplyTimeoutMs; waited += kSliceMs) {
    if (stop && stop->requested.load()) return false;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket.handle, &ready);
    timeval slice{0, kSliceMs * 1000};
    const int found = ::select(0, &ready, nullptr, nullptr, &slice);
    if (found != 0) return found > 0;
  }
  return false;
}

// The control connection: commands out, replies (the last line of a multi-line one) in.
struct Control {
  Socket socket;
  std::string pending;
  const StopFlag* stop = nullptr;

  bool ReadLine(std::string& line) {
    for (;;) {
      const size_t end = pending.find('\n');
      if (end != std::string::npos) {
        line = pending.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        pending.erase(0, end + 1);
        return true;
      }
      char buffer[4096];
      if (!WaitToRead(socket, stop)) return false;
      const int got = ::recv(socket.handle, buffer, sizeof(buffer), 0);
      if (got <= 0) return false;
      pending.append(buffer, static_cast<size_t>(got));
    }
  }

  // The reply's code, 0 when the connection failed.
  int Reply(std::string& last) {
    std::string line;
    if (!ReadLine(line) || line.size() < 3) return 0;
    if (line.size() > 3 && line[3] == '-') {
      const std::string end = line.substr(0, 3) + " ";
      do {
        if (!ReadLine(line)) return 0;
      } while (line.compare(0, 4, end) != 0);
    }
    last = line;
    return std::atoi(line.substr(0, 3).c_str());
  }

  int Command(const std::string& command, std::string& last) {
    const std::string line = command + "\r\n";
    if (::send(socket.handle, line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size())) return 0;
    return Reply(last);
  }
};

bool Login(Control& control, const FtpLogin& session) {
  std::string reply;
  if (control.Reply(reply) != 220) return false;
  const int user = control.Command("USER " + ToWire(session.login.empty() ? Text(u"anonymous") : session.login), reply);
  if (user == 331) return control.Command("PASS " + ToWire(session.password), reply) / 100 == 2;
  return user / 100 == 2;
}

// Passive: a connection to the address the server names.
bool OpenPassive(Control& control, const std::string& host, Socket& data) {
  std::string reply;
  if (control.Command("PASV", reply) != 227) return false;
  const auto passive = ParsePassiveReply(reply);
  if (!passive) return false;
  // A server behind an address it does not know gives a private one: the control host stands.
  return Connect(data, passive->host, passive->port) || Connect(data, host, passive->port);
}

// Active: a socket listening on the control connection's own address, named to the server,
// which connects to it once the listing starts. IPv4 only, as PORT is.
bool OfferActive(Control& control, Socket& listener) {
  sockaddr_in own{};
  int length = sizeof own;
  if (::getsockname(control.socket.handle, reinterpret_cast<sockaddr*>(&own), &length) != 0 || own.sin_family != AF_INET)
    return false;
  listener.handle = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener.handle == INVALID_SOCKET) return false;
  own.sin_port = 0;
  length = sizeof own;
  if (::bind(listener.handle, reinterpret_cast<const sockaddr*>(&own), sizeof own) != 0 ||
      ::listen(listener.handle, 1) != 0 ||
      ::getsockname(listener.handle, reinterpret_cast<sockaddr*>(&own), &length) != 0)
    return false;
  std::string reply;
  return control.Command(PortCommand(ntohl(own.sin_addr.s_addr), ntohs(own.sin_port)), reply) / 100 == 2;
}

bool AcceptActive(Socket& listener, Socket& data) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(listener.handle, &ready);
  timeval timeout{static_cast<long>(kReplyTimeoutMs / 1000), 0};
  if (::select(0, &ready, nullptr, nullptr, &timeout) != 1) return false;
  data.handle = ::accept(listener.handle, nullptr, nullptr);
  if (data.handle == INVALID_SOCKET) return false;
  LimitWaits(data);
  return true;
}

enum class ReadEnd { Complete, Failed, Cut };

// The listing's text up to the limit: a server that never stops sending is cut off there.
ReadEnd ReadAll(Socket& data, std::string& bytes, const StopFlag* stop) {
  char buffer[65536];
  for (;;) {
    if (!WaitToRead(data, stop)) return ReadEnd::Failed;
    const int got = ::recv(data.handle, buffer, sizeof(buffer), 0);
    if (got == 0) return ReadEnd::Complete;
    if (got < 0) return ReadEnd::Failed;
    if (!AppendListingText(bytes, std::string_view(buffer, static_cast<size_t>(got)), kMaxListingBytes))
      return ReadEnd::Cut;
  }
}

}  // namespace

bool ListMachineReadable(const FtpLogin& session, TextView folder, std::vector<platform::FindData>& entries,
                         RemoteListing& listing, const StopFlag* stop) {
  WinsockSession winsock;
  if (!winsock.started) return false;
  const std::string host = ToWire(session.host);
  Control control;
  control.stop = stop;
  if (!Connect(control.socket, host, session.port) || !Login(control, session)) return false;
  std::string reply;
  if (control.Command("TYPE I", reply) / 100 != 2) return false;
  Socket data, listener;
  if (session.passive ? !OpenPassive(control, host, data) : !OfferActive(control, listener)) return false;
  const int started = control.Command("MLSD " + ToWire(folder), reply);
  if (started != 125 && started != 150) return false;
  if (!session.passive && !AcceptActive(listener, data)) return false;
  std::string bytes;
  const ReadEnd end = ReadAll(data, bytes, stop);
  ::closesocket(data.handle);
  data.handle = INVALID_SOCKET;
  if (end == ReadEnd::Failed) return false;
  // A cut listing is closed by us: the server's reply to that says nothing worth waiting for.
  if (end == ReadEnd::Cut) {
    listing.cut = ListingCut::Text;
  } else {
    if (control.Reply(reply) / 100 != 2) return false;
    control.Command("QUIT", reply);
  }

  std::vector<MachineEntry> parsed;
  if (ParseMachineListing(bytes, kMaxListingEntries, parsed)) listing.cut = ListingCut::Entries;
  bytes.clear();
  bytes.shrink_to_fit();
  entries.clear();
  entries.reserve(parsed.size());
  for (const MachineEntry& entry : parsed) entries.push_back(ToFindData(entry, FromWire(entry.name)));
  return true;
}

}  // namespace nrv
