// An FTP folder whose listing the server sends only after a few seconds: read at once on the
// window's thread, as every FTP folder was, against the read on a worker, in the same run. A
// thread sends the window WM_NULL every 10 ms and records how long each answer took.
//   ftp_read_bench PORT FOLDER [ROUNDS]
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <vector>

#include "bench/windows/answer_prober.h"
#include "bench/windows/bench_timing.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/remote_read_win32.h"
#include "panel/panel_reader.h"

namespace {

using nrv::bench::Max;
using nrv::bench::Median;
using nrv::bench::Percentile;
using Run = nrv::bench::ProbedRun;

struct Server {
  nrv::FtpSession session;
  nrv::Text folder;
};

// A panel on the server's root, read at once.
void OpenRoot(nrv::Panel& panel, nrv::ItemList& list, Server& server) {
  nrv::PanelContext* context = panel.context;
  panel.context = nullptr;
  panel.ftpSession = &server.session;
  nrv::OpenFtp(panel, list, nrv::LoginOf(server.session));
  panel.context = context;
}

Run AtOnce(Server& server) {
  nrv::Panel panel;
  nrv::ItemList list;
  OpenRoot(panel, list, server);
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    panel.ftpTargetDir = server.folder;
    nrv::ListRemoteFolder(list, panel);
    return list.items.size();
  });
}

Run OnWorker(nrv::PanelContext& context, Server& server) {
  nrv::Panel panel;
  panel.context = &context;
  nrv::ItemList list;
  OpenRoot(panel, list, server);
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    const nrv::PanelLocation before = nrv::SaveLocation(panel);
    panel.ftpTargetDir = server.folder;
    nrv::ReadOtherLocation(panel, before, {},
                           nrv::RemoteFolderRead(panel, nrv::LoginOf(server.session), server.folder, false));
    nrv::bench::PumpUntilSwapped(panel, list);
    return list.items.size();
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ftp_read_bench PORT FOLDER [ROUNDS]\n");
    return 2;
  }
  nrv::platform::InternetHandle internet(::InternetOpenW(L"Norvane", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  Server server;
  server.session.internet = internet.Get();
  server.session.host = u"127.0.0.1";
  server.session.port = static_cast<uint16_t>(_wtoi(argv[1]));
  server.session.login = u"bench";
  server.session.password = u"bench";
  server.folder = nrv::Text(reinterpret_cast<const char16_t*>(argv[2]));
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
  nrv::bench::gBenchWindow = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  nrv::PanelContext context;
  context.reads.ended = &nrv::bench::PostReadEnd;
  std::vector<double> atOnceMax, workerMax, workerP99, atOnceMs, workerMs;
  size_t atOnceCount = 0, workerCount = 0;
  for (int round = 0; round < rounds; ++round) {
    const Run once = AtOnce(server);
    const Run worker = OnWorker(context, server);
    atOnceMax.push_back(Max(once.waits));
    workerMax.push_back(Max(worker.waits));
    workerP99.push_back(Percentile(worker.waits, 0.99));
    atOnceMs.push_back(once.listMs);
    workerMs.push_back(worker.listMs);
    atOnceCount = once.count;
    workerCount = worker.count;
  }
  std::printf("entries: at once %zu, on a worker %zu\n", atOnceCount, workerCount);
  std::printf("time to the list: at once %.0f ms, on a worker %.0f ms\n", Median(atOnceMs), Median(workerMs));
  std::printf("longest answer of the window: at once %.1f ms (the whole listing), on a worker %.1f ms worst, "
              "%.1f ms at the 99th percentile (targets <= 50, <= 20)\n",
              Median(atOnceMax), Max(workerMax), Max(workerP99));
  return 0;
}
