// Downloading and uploading one large file over WinINet: the program's transfer jobs against a
// bare loop of the same library calls (open, 64 KiB reads or writes, close), alternating the
// two; and the bare loop with 1 MiB blocks, which shows what each call costs under Wine. Prints the median seconds of each; bench/ftp_transfer.sh sets up the server, adds
// Python's ftplib on the same file and prints the ratios.
// Usage: ftp_transfer_bench.exe <host> <port> <user> <password> <remote name> <local folder> <runs>
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "ftp/ftp_transfer_win32.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

constexpr DWORD kBlock = 65536;
constexpr DWORD kLargeBlock = 1 << 20;

bool BareDownload(HINTERNET connection, const std::wstring& remote, const std::wstring& local, DWORD block = kBlock) {
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection, remote.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  HANDLE out = ::CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!file.Get() || out == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(block);
  DWORD read = 0, written = 0;
  bool ok = true;
  while ((ok = ::InternetReadFile(file.Get(), buffer.data(), block, &read)) && read)
    ::WriteFile(out, buffer.data(), read, &written, nullptr);
  ::CloseHandle(out);
  return ok;
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

  std::vector<double> bareDown, ownDown, bareUp, ownUp, largeDown, largeUp;
  for (int run = 0; run < runs; ++run) {
    auto start = Clock::now();
    if (!BareDownload(connection.Get(), L"/" + remote, bareLocal)) return 1;
    bareDown.push_back(Milliseconds(start) / 1000);
    start = Clock::now();
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
    start = Clock::now();
    if (!BareDownload(connection.Get(), L"/" + remote, bareLocal, kLargeBlock)) return 1;
    largeDown.push_back(Milliseconds(start) / 1000);
    start = Clock::now();
    if (!BareUpload(connection.Get(), bareLocal, L"/up-bare.bin", kLargeBlock)) return 1;
    largeUp.push_back(Milliseconds(start) / 1000);
  }
  std::printf("download_bare_s %.3f\ndownload_norvane_s %.3f\nupload_bare_s %.3f\nupload_norvane_s %.3f\n",
              Median(bareDown), Median(ownDown), Median(bareUp), Median(ownUp));
  std::printf("download_bare_1mib_s %.3f\nupload_bare_1mib_s %.3f\n", Median(largeDown), Median(largeUp));
  return 0;
}
