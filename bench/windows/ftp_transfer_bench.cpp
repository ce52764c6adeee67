// Downloading and uploading one large file over WinINet: the program's transfer jobs against a
// bare loop of the same library calls (open, 64 KiB reads or writes, close), alternating the
// two; the bare loop with 1 MiB blocks, which shows what each call costs under Wine, without
// the local file writes, which is about what the library's own cache copy of a download costs,
// and leaving those copies behind; and a Winsock loop on a data connection of its own, which is
// Wine's sockets without the library. Prints the median seconds of each, whether the library
// makes a cache copy with each set of flags and whether DeleteUrlCacheEntryW removes it;
// bench/ftp_transfer.sh sets up the server, adds Python's ftplib on the same file and prints
// the ratios.
// Usage: ftp_transfer_bench.exe <host> <port> <user> <password> <remote name> <local folder> <runs>
// The sockets' header goes before any that brings in windows.h.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "ftp/ftp_transfer_win32.h"
#include "ftp/machine_listing.h"
#include "ftp/remote_read_file_win32.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

constexpr DWORD kBlock = 65536;
constexpr DWORD kLargeBlock = 1 << 20;

// The seconds of the loop alone; the cache copy is removed after the clock stopped, or kept
// in copies when given (as the program used to leave them). Without a local name the blocks
// are dropped.
bool BareDownload(HINTERNET connection, const std::wstring& remote, const std::wstring& local, double& seconds,
                  DWORD block = kBlock, std::vector<nrv::Text>* copies = nullptr, int64_t* reads = nullptr) {
  const auto start = Clock::now();
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection, remote.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  HANDLE out = local.empty() ? INVALID_HANDLE_VALUE
                             : ::CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!file.Get() || (!local.empty() && out == INVALID_HANDLE_VALUE)) return false;
  std::vector<char> buffer(block);
  DWORD read = 0, written = 0;
  bool ok = true;
  int64_t calls = 0;
  while (++calls, (ok = ::InternetReadFile(file.Get(), buffer.data(), block, &read)) && read)
    if (out != INVALID_HANDLE_VALUE) ::WriteFile(out, buffer.data(), read, &written, nullptr);
  if (reads) *reads = calls;
  if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
  const nrv::Text copy = nrv::CacheCopyOf(file.Get());
  file.Reset();
  seconds = Milliseconds(start) / 1000;
  if (copies)
    copies->push_back(copy);
  else if (!copy.empty())
    ::DeleteFileW(nrv::platform::Wide(copy));
  return ok;
}

// The same download on a data connection the bench opens itself, read with Winsock alone in
// 64 KiB blocks as the library reads them (MSG_WAITALL) and written to the local file: what
// Wine's sockets cost without the library. WinINet only sends the commands, on a connection
// of its own each time, since the transfer's last reply is left unread.
bool SocketDownload(HINTERNET internet, const std::wstring& host, INTERNET_PORT port, const std::wstring& user,
                    const std::wstring& password, const std::wstring& remote, const std::wstring& local,
                    double& seconds) {
  const auto start = Clock::now();
  nrv::platform::InternetHandle connection(::InternetConnectW(internet, host.c_str(), port, user.c_str(),
                                                              password.c_str(), INTERNET_SERVICE_FTP,
                                                              INTERNET_FLAG_PASSIVE, 0));
  if (!connection.Get() ||
      !::FtpCommandW(connection.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, L"TYPE I", 0, nullptr) ||
      !::FtpCommandW(connection.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, L"PASV", 0, nullptr))
    return false;
  char reply[512] = {};
  DWORD error = 0, length = sizeof reply;
  ::InternetGetLastResponseInfoA(&error, reply, &length);
  const auto address = nrv::ParsePassiveReply(std::string_view(reply, length));
  if (!address) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(address->port);
  to.sin_addr.s_addr = inet_addr(address->host.c_str());
  SOCKET data = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (data == INVALID_SOCKET) return false;
  HANDLE out = ::CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = out != INVALID_HANDLE_VALUE && ::connect(data, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
            ::FtpCommandW(connection.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, (L"RETR " + remote).c_str(), 0, nullptr);
  std::vector<char> buffer(kBlock);
  DWORD written = 0;
  int got = 0;
  while (ok && (got = ::recv(data, buffer.data(), static_cast<int>(kBlock), MSG_WAITALL)) > 0)
    ::WriteFile(out, buffer.data(), static_cast<DWORD>(got), &written, nullptr);
  ::closesocket(data);
  if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
  seconds = Milliseconds(start) / 1000;
  return ok && got == 0;
}

// Whether the library writes a cache copy of a download with these flags on the connection
// and on the file.
void PrintCacheCopies(HINTERNET internet, const std::wstring& host, INTERNET_PORT port, const std::wstring& user,
                      const std::wstring& password, const std::wstring& remote) {
  const struct {
    const char* name;
    DWORD connect, open;
  } tries[] = {
      {"reload", 0, INTERNET_FLAG_RELOAD},
      {"no_cache_write", 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE},
      {"dont_cache", 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE},
      {"both_on_connect_and_file", INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_DONT_CACHE,
       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_DONT_CACHE},
  };
  for (const auto& flags : tries) {
    nrv::platform::InternetHandle connection(::InternetConnectW(internet, host.c_str(), port, user.c_str(),
                                                                password.c_str(), INTERNET_SERVICE_FTP,
                                                                INTERNET_FLAG_PASSIVE | flags.connect, 0));
    nrv::platform::InternetHandle file(::FtpOpenFileW(connection.Get(), remote.c_str(), GENERIC_READ,
                                                      FTP_TRANSFER_TYPE_BINARY | flags.open, 0));
    const nrv::Text copy = file.Get() ? nrv::CacheCopyOf(file.Get()) : nrv::Text();
    file.Reset();
    if (!copy.empty()) ::DeleteFileW(nrv::platform::Wide(copy));
    std::printf("cache_copy_%s %s\n", flags.name, copy.empty() ? "no" : "yes");
  }
  // The library's own way to drop a cached URL, with the URL it files the copy under.
  nrv::platform::InternetHandle connection(::InternetConnectW(internet, host.c_str(), port, user.c_str(),
                                                              password.c_str(), INTERNET_SERVICE_FTP,
                                                              INTERNET_FLAG_PASSIVE, 0));
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection.Get(), remote.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 0));
  const nrv::Text copy = file.Get() ? nrv::CacheCopyOf(file.Get()) : nrv::Text();
  file.Reset();
  const std::wstring url = L"ftp://" + user + L"@" + host + L":" + std::to_wstring(port) + remote;
  const bool deleted = ::DeleteUrlCacheEntryW(url.c_str()) != FALSE;
  const DWORD error = deleted ? 0 : ::GetLastError();
  const bool gone = ::GetFileAttributesW(nrv::platform::Wide(copy)) == INVALID_FILE_ATTRIBUTES;
  std::printf("delete_url_cache_entry %s (error %lu), copy %s\n", deleted ? "succeeds" : "fails", error,
              gone ? "gone" : "still there");
  if (!copy.empty()) ::DeleteFileW(nrv::platform::Wide(copy));
}

bool BareUpload(HINTERNET connection, const std::wstring& local, const std::wstring& remote, DWORD block = kBlock) {
  HANDLE in = ::CreateFileW(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection, remote.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0));
  if (!file.Get() || in == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(block);
  DWORD read = 0, written = 0;
  bool ok = true;
  while (::ReadFile(in, buffer.data(), block, &read, nullptr) && read)
    ok = ok && ::InternetWriteFile(file.Get(), buffer.data(), read, &written);
  ::CloseHandle(in);
  return ok;
}

nrv::FtpJob Job(const std::wstring& path, const std::wstring& name) {
  nrv::FtpJob job;
  job.path = nrv::platform::FromWide(path.c_str());
  job.name = nrv::platform::FromWide(name.c_str());
  job.attributes = FILE_ATTRIBUTE_NORMAL;
  job.size = 1;
  return job;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 8) {
    std::fprintf(stderr, "usage: ftp_transfer_bench <host> <port> <user> <password> <remote> <folder> <runs>\n");
    return 2;
  }
  const std::wstring host = argv[1], user = argv[3], password = argv[4], remote = argv[5], folder = argv[6];
  const auto port = static_cast<INTERNET_PORT>(std::wcstol(argv[2], nullptr, 10));
  const int runs = std::max(1, static_cast<int>(std::wcstol(argv[7], nullptr, 10)));
  nrv::platform::InternetHandle internet(::InternetOpenW(L"Norvane ", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  nrv::platform::InternetHandle connection(::InternetConnectW(internet.Get(), host.c_str(), port, user.c_str(),
                                                              password.c_str(), INTERNET_SERVICE_FTP,
                                                              INTERNET_FLAG_PASSIVE, 0));
  if (!connection.Get()) {
    std::fprintf(stderr, "cannot connect: %lu\n", ::GetLastError());
    return 1;
  }
  const std::wstring bareFolder = folder + L"\\bare", ownFolder = folder + L"\\norvane";
  ::CreateDirectoryW(bareFolder.c_str(), nullptr);
  ::CreateDirectoryW(ownFolder.c_str(), nullptr);
  const std::wstring bareLocal = bareFolder + L"\\" + remote, ownLocal = ownFolder + L"\\" + remote;

  WSADATA winsock;
  if (::WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return 1;
  PrintCacheCopies(internet.Get(), host, port, user, password, L"/" + remote);
  std::vector<double> bareDown, ownDown, bareUp, ownUp, largeDown, largeUp, droppedDown, keptDown, socketDown;
  std::vector<nrv::Text> copies;
  int64_t reads = 0;
  for (int run = 0; run < runs; ++run) {
    double seconds = 0;
    if (!BareDownload(connection.Get(), L"/" + remote, bareLocal, seconds, kBlock, nullptr, &reads)) return 1;
    bareDown.push_back(seconds);
    auto start = Clock::now();
    if (nrv::RunFtpJobs(connection.Get(), 2, nrv::kDirectionDownload, nrv::platform::FromWide(ownFolder.c_str()),
                        {Job(L"/" + remote, remote)}) != 0)
      return 1;
    ownDown.push_back(Milliseconds(start) / 1000);
    start = Clock::now();
    if (!BareUpload(connection.Get(), bareLocal, L"/up-bare.bin")) return 1;
    bareUp.push_back(Milliseconds(start) / 1000);
    start = Clock::now();
    if (nrv::RunFtpJobs(connection.Get(), 2, nrv::kDirectionUpload, u"/", {Job(ownLocal, L"up-norvane.bin")}) != 0)
      return 1;
    ownUp.push_back(Milliseconds(start) / 1000);
    if (!BareDownload(connection.Get(), L"/" + remote, bareLocal, seconds, kLargeBlock)) return 1;
    largeDown.push_back(seconds);
    if (!BareDownload(connection.Get(), L"/" + remote, L"", seconds)) return 1;
    droppedDown.push_back(seconds);
    if (!BareDownload(connection.Get(), L"/" + remote, bareLocal, seconds, kBlock, &copies)) return 1;
    keptDown.push_back(seconds);
    if (!SocketDownload(internet.Get(), host, port, user, password, L"/" + remote, bareLocal, seconds)) return 1;
    socketDown.push_back(seconds);
    start = Clock::now();
    if (!BareUpload(connection.Get(), bareLocal, L"/up-bare.bin", kLargeBlock)) return 1;
    largeUp.push_back(Milliseconds(start) / 1000);
  }
  std::printf("download_bare_s %.3f\ndownload_norvane_s %.3f\nupload_bare_s %.3f\nupload_norvane_s %.3f\n",
              Median(bareDown), Median(ownDown), Median(bareUp), Median(ownUp));
  std::printf("download_bare_1mib_s %.3f\nupload_bare_1mib_s %.3f\n", Median(largeDown), Median(largeUp));
  std::printf("download_bare_no_local_writes_s %.3f\n", Median(droppedDown));
  std::printf("download_bare_copies_left_s %.3f\n", Median(keptDown));
  std::printf("download_winsock_s %.3f\n", Median(socketDown));
  std::printf("download_bare_reads %lld\n", static_cast<long long>(reads));
  for (const nrv::Text& copy : copies) ::DeleteFileW(nrv::platform::Wide(copy));
  return 0;
}
