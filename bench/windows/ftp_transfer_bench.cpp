// Downloading and uploading one large file over loopback FTP: the program's transfer jobs
// against the floors under them, alternating in each run: a bare WinINet loop with 1 MiB blocks
// (open, read or write, close: what the program cannot go below with the library it uses) and a
// bare Winsock loop with 1 MiB blocks on a data connection of its own (Wine's sockets without
// the library). Prints the median seconds and the spread of each; bench/ftp_transfer.sh adds
// Python's ftplib on the same file and prints the ratios.
// With a second, slowed server it also times, on the program's jobs, how soon Cancel gets its
// question and how often the progress moves.
// Usage: ftp_transfer_bench.exe <host> <port> <user> <password> <remote name> <local folder> <runs>
//                               [<slow port> <slow remote name>]
// The sockets' header goes before any that brings in windows.h.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "ftp/ftp_transfer_win32.h"
#include "ftp/machine_listing.h"
#include "ftp/remote_read_file_win32.h"
#include "ftp/transfer_blocks.h"
#include "platform/message_box.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

constexpr DWORD kBlock = 1 << 20;

bool BareDownload(HINTERNET connection, const std::wstring& remote, const std::wstring& local) {
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection, remote.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0));
  HANDLE out =
      ::CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!file.Get() || out == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(kBlock);
  DWORD read = 0, written = 0;
  bool ok = true;
  while ((ok = ::InternetReadFile(file.Get(), buffer.data(), kBlock, &read)) && read)
    ::WriteFile(out, buffer.data(), read, &written, nullptr);
  ::CloseHandle(out);
  // Wine's library copies every download into its cache; the program removes the copy too.
  const nrv::Text copy = nrv::CacheCopyOf(file.Get());
  file.Reset();
  if (!copy.empty()) ::DeleteFileW(nrv::platform::Wide(copy));
  return ok;
}

bool BareUpload(HINTERNET connection, const std::wstring& local, const std::wstring& remote) {
  HANDLE in = ::CreateFileW(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  nrv::platform::InternetHandle file(
      ::FtpOpenFileW(connection, remote.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0));
  if (!file.Get() || in == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(kBlock);
  DWORD read = 0, written = 0;
  bool ok = true;
  while (::ReadFile(in, buffer.data(), kBlock, &read, nullptr) && read)
    ok = ok && ::InternetWriteFile(file.Get(), buffer.data(), read, &written);
  ::CloseHandle(in);
  return ok;
}

// A transfer on a data connection the bench opens itself, moved with Winsock alone in 1 MiB
// blocks: what Wine's sockets cost without the library. WinINet only sends the commands, on a
// connection of its own each time, since the transfer's last reply is left unread.
bool SocketTransfer(HINTERNET internet, const std::wstring& host, INTERNET_PORT port, const std::wstring& user,
                    const std::wstring& password, const std::wstring& command, const std::wstring& local,
                    bool download) {
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
  HANDLE file = download ? ::CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)
                         : ::CreateFileW(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE && ::connect(data, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
            ::FtpCommandW(connection.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, command.c_str(), 0, nullptr);
  std::vector<char> buffer(kBlock);
  DWORD moved = 0;
  int got = 0;
  if (download) {
    while (ok && (got = ::recv(data, buffer.data(), static_cast<int>(kBlock), MSG_WAITALL)) > 0)
      ::WriteFile(file, buffer.data(), static_cast<DWORD>(got), &moved, nullptr);
    ok = ok && got == 0;
  } else {
    while (ok && ::ReadFile(file, buffer.data(), kBlock, &moved, nullptr) && moved)
      ok = ::send(data, buffer.data(), static_cast<int>(moved), 0) == static_cast<int>(moved);
  }
  ::closesocket(data);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
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

// The program's questions during the runs: overwriting is answered Yes; the cancel question
// is timed and answered by the slow-link part.
struct Questions {
  std::mutex lock;
  Clock::time_point cancelAsked;
  bool asked = false;
  nrv::platform::MessageAnswer abort = nrv::platform::MessageAnswer::No;
  int others = 0;
};
Questions questions;

nrv::platform::MessageAnswer AnswerQuestion(const nrv::platform::MessageRequest& request) {
  const std::lock_guard<std::mutex> hold(questions.lock);
  if (request.text == u"Abort operation?") {
    questions.cancelAsked = Clock::now();
    questions.asked = true;
    return questions.abort;
  }
  if (request.text.rfind(u"File ", 0) != 0) {
    ++questions.others;
    std::fprintf(stderr, "message: %s\n", nrv::ToUtf8(request.text).c_str());
  }
  return nrv::platform::MessageAnswer::Yes;
}

void Print(const char* name, const std::vector<double>& values) {
  std::printf("%s %.3f %.3f %.3f\n", name, Median(values), *std::min_element(values.begin(), values.end()),
              *std::max_element(values.begin(), values.end()));
}

// On the slowed server: Cancel pressed several times in the middle of a transfer, answered No
// and at the last Yes; the time from each press to its question, and the longest time the
// progress stood still. Each block's size and time go to stderr: on an upload the first
// megabytes vanish into the socket buffers, and the sizes after them show whether the pace held.
bool SlowLink(HINTERNET connection, uint32_t direction, const std::wstring& remote, const std::wstring& local,
              std::vector<double>& answers, std::vector<double>& stills, int presses) {
  nrv::FtpTransferProbe probe;
  std::vector<Clock::time_point> shown;
  std::vector<std::pair<uint32_t, uint64_t>> blocks;
  probe.progressShown = [&](int64_t) { shown.push_back(Clock::now()); };
  probe.blockDone = [&](uint32_t size, uint32_t, uint64_t us) { blocks.push_back({size, us / 1000}); };
  std::atomic<bool> finished{false};
  std::thread user([&] {
    // Presses at moments unrelated to the blocks: a block's own share of a second apart.
    for (int press = 0; press < presses && !finished; ++press) {
      const auto at = Clock::now() + std::chrono::milliseconds(700 + 97 * press);
      while (Clock::now() < at && !finished) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      if (finished) break;
      {
        const std::lock_guard<std::mutex> hold(questions.lock);
        questions.asked = false;
        questions.abort = press + 1 == presses ? nrv::platform::MessageAnswer::Yes : nrv::platform::MessageAnswer::No;
      }
      const auto pressed = Clock::now();
      probe.cancel = true;
      for (;;) {
        {
          const std::lock_guard<std::mutex> hold(questions.lock);
          if (questions.asked) {
            answers.push_back(std::chrono::duration<double, std::milli>(questions.cancelAsked - pressed).count());
            break;
          }
        }
        if (finished) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  });
  const std::vector<nrv::FtpJob> jobs{direction == nrv::kDirectionDownload ? Job(L"/" + remote, remote)
                                                                            : Job(local, L"up-slow.bin")};
  nrv::RunFtpJobs(connection, 2, direction,
                  direction == nrv::kDirectionDownload ? nrv::platform::FromWide(local.c_str()) : nrv::Text(u"/"),
                  jobs, &probe);
  finished = true;
  user.join();
  std::fprintf(stderr, "slow %s blocks (KiB/ms):", direction == nrv::kDirectionDownload ? "download" : "upload");
  for (const auto& [size, ms] : blocks) std::fprintf(stderr, " %u/%llu", size / 1024, static_cast<unsigned long long>(ms));
  std::fprintf(stderr, "\n");
  for (size_t i = 1; i < shown.size(); ++i)
    stills.push_back(std::chrono::duration<double, std::milli>(shown[i] - shown[i - 1]).count());
  return static_cast<int>(answers.size()) >= presses;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 8) {
    std::fprintf(stderr, "usage: ftp_transfer_bench <host> <port> <user> <password> <remote> <folder> <runs> "
                         "[<slow port> <slow remote>]\n");
    return 2;
  }
  const std::wstring host = argv[1], user = argv[3], password = argv[4], remote = argv[5], folder = argv[6];
  const auto port = static_cast<INTERNET_PORT>(std::wcstol(argv[2], nullptr, 10));
  const int runs = std::max(1, static_cast<int>(std::wcstol(argv[7], nullptr, 10)));
  nrv::platform::SetMessageHook(&AnswerQuestion);
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
  const std::wstring socketLocal = bareFolder + L"\\socket.bin";

  WSADATA winsock;
  if (::WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return 1;
  std::vector<double> bareDown, ownDown, socketDown, bareUp, ownUp, socketUp;
  // Each transfer makes a new file on the receiving side, as a download into a folder does: the
  // previous run's file is removed before the clock starts. Onto an existing file the program
  // writes a new one beside it and renames it over the old, which for a while keeps both.
  const auto fresh = [&] {
    for (const std::wstring& local : {bareLocal, ownLocal, socketLocal}) ::DeleteFileW(local.c_str());
    for (const wchar_t* name : {L"/up-bare.bin", L"/up-norvane.bin", L"/up-socket.bin"})
      ::FtpDeleteFileW(connection.Get(), name);
  };
  const auto timed = [](std::vector<double>& into, auto&& transfer) {
    const auto start = Clock::now();
    const bool ok = transfer();
    into.push_back(Milliseconds(start) / 1000);
    return ok;
  };
  // The program's blocks, the largest and the smaller ones apart, with the time they took, to
  // see where its time went; the rest is its own work around them (sizes asked for, the part
  // file, its rename, closing).
  struct Blocks {
    int count[2] = {};
    double milliseconds[2] = {};
  };
  Blocks downBlocks, upBlocks;
  double downInBlocks = 0, upInBlocks = 0;
  const auto count = [](Blocks& blocks, double& inBlocks, uint32_t size, uint64_t us) {
    const int largest = size == nrv::kLargestBlock ? 1 : 0;
    ++blocks.count[largest];
    blocks.milliseconds[largest] += static_cast<double>(us) / 1000;
    inBlocks += static_cast<double>(us) / 1000;
  };
  nrv::FtpTransferProbe downProbe, upProbe;
  downProbe.blockDone = [&](uint32_t size, uint32_t, uint64_t us) { count(downBlocks, downInBlocks, size, us); };
  upProbe.blockDone = [&](uint32_t size, uint32_t, uint64_t us) { count(upBlocks, upInBlocks, size, us); };
  const auto bareDownload = [&] { return timed(bareDown, [&] { return BareDownload(connection.Get(), L"/" + remote, bareLocal); }); };
  const auto ownDownload = [&] {
    return timed(ownDown, [&] {
      return nrv::RunFtpJobs(connection.Get(), 2, nrv::kDirectionDownload, nrv::platform::FromWide(ownFolder.c_str()),
                             {Job(L"/" + remote, remote)}, &downProbe) == 0;
    });
  };
  const auto bareUpload = [&] { return timed(bareUp, [&] { return BareUpload(connection.Get(), bareLocal, L"/up-bare.bin"); }); };
  const auto ownUpload = [&] {
    return timed(ownUp, [&] {
      return nrv::RunFtpJobs(connection.Get(), 2, nrv::kDirectionUpload, u"/", {Job(ownLocal, L"up-norvane.bin")},
                             &upProbe) == 0;
    });
  };
  for (int run = 0; run < runs; ++run) {
    downInBlocks = upInBlocks = 0;
    // Who goes first changes from run to run: the server's disk is still writing back the
    // last upload when the next one starts.
    const bool bareFirst = run % 2 == 0;
    fresh();
    const bool ok =
        (bareFirst ? bareDownload() && ownDownload() : ownDownload() && bareDownload()) &&
        timed(socketDown, [&] {
          return SocketTransfer(internet.Get(), host, port, user, password, L"RETR /" + remote, socketLocal, true);
        }) &&
        (bareFirst ? bareUpload() && ownUpload() : ownUpload() && bareUpload()) &&
        timed(socketUp, [&] {
          return SocketTransfer(internet.Get(), host, port, user, password, L"STOR /up-socket.bin", socketLocal, false);
        });
    if (!ok) {
      std::fprintf(stderr, "run %d failed\n", run);
      return 1;
    }
    std::fprintf(stderr,
                 "run %d: down bare %.3f norvane %.3f (%.3f outside blocks) socket %.3f  "
                 "up bare %.3f norvane %.3f (%.3f outside blocks) socket %.3f\n",
                 run, bareDown.back(), ownDown.back(), ownDown.back() - downInBlocks / 1000, socketDown.back(),
                 bareUp.back(), ownUp.back(), ownUp.back() - upInBlocks / 1000, socketUp.back());
  }
  for (const auto& [name, blocks] : {std::pair{"download", &downBlocks}, std::pair{"upload", &upBlocks}})
    std::fprintf(stderr, "norvane %s blocks, all runs: %d below 1 MiB in %.0f ms, %d of 1 MiB in %.0f ms\n", name,
                 blocks->count[0], blocks->milliseconds[0], blocks->count[1], blocks->milliseconds[1]);
  // name, median, lowest, highest
  Print("download_bare_s", bareDown);
  Print("download_norvane_s", ownDown);
  Print("download_winsock_s", socketDown);
  Print("upload_bare_s", bareUp);
  Print("upload_norvane_s", ownUp);
  Print("upload_winsock_s", socketUp);
  // Each run's own ratio, for the spread of the ratio itself.
  std::vector<double> downRatios, upRatios;
  for (size_t i = 0; i < ownDown.size(); ++i) {
    downRatios.push_back(ownDown[i] / bareDown[i]);
    upRatios.push_back(ownUp[i] / bareUp[i]);
  }
  Print("download_norvane_vs_bare_per_run", downRatios);
  Print("upload_norvane_vs_bare_per_run", upRatios);

  if (argc >= 10) {
    const auto slowPort = static_cast<INTERNET_PORT>(std::wcstol(argv[8], nullptr, 10));
    const std::wstring slowRemote = argv[9];
    nrv::platform::InternetHandle slow(::InternetConnectW(internet.Get(), host.c_str(), slowPort, user.c_str(),
                                                          password.c_str(), INTERNET_SERVICE_FTP,
                                                          INTERNET_FLAG_PASSIVE, 0));
    std::vector<double> answers, stills;
    ::CreateDirectoryW((folder + L"\\slow").c_str(), nullptr);
    const bool downOk = SlowLink(slow.Get(), nrv::kDirectionDownload, slowRemote, folder + L"\\slow", answers, stills, 5);
    std::vector<double> upAnswers, upStills;
    const bool upOk = SlowLink(slow.Get(), nrv::kDirectionUpload, slowRemote, bareLocal, upAnswers, upStills, 5);
    if (!downOk || !upOk || stills.empty() || upStills.empty()) {
      std::fprintf(stderr, "slow link: the cancel presses did not all come during the transfers\n");
      return 1;
    }
    Print("slow_download_cancel_answered_ms", answers);
    Print("slow_download_progress_still_ms", stills);
    Print("slow_upload_cancel_answered_ms", upAnswers);
    Print("slow_upload_progress_still_ms", upStills);
  }
  std::printf("other_messages %d\n", questions.others);
  return questions.others == 0 ? 0 : 1;
}
