// Entering a large .tar.gz on the panel's worker against entering it on the window's thread, in
// the same run: how long the window's thread waits to answer meanwhile (another thread sends it
// WM_NULL every 10 ms, as a user's keys and paints would wait), the time to the complete list,
// and the quick format test that still runs on the window's thread.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_open_win32.h"
#include "archive/archive_read_win32.h"
#include "bench/windows/answer_prober.h"
#include "bench/windows/bench_timing.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "panel/panel_reader.h"
#include "platform/private_folder.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Max;
using nrv::bench::Median;
using nrv::bench::Milliseconds;
using nrv::bench::Percentile;
using nrv::bench::PumpUntilSwapped;

using Run = nrv::bench::ProbedRun;

struct ArchivePanel {
  nrv::Panel panel;
  nrv::ArchiveItemList archive;
  nrv::ItemList list;
  ArchivePanel(const nrv::Text& folder, nrv::PanelContext* context) {
    panel.side = nrv::kLeftPanel;
    panel.path = folder;
    panel.context = context;
    panel.archiveItems = &archive;
  }
  ~ArchivePanel() {
    nrv::ClearItems(list);
    nrv::ForgetArchive(panel);
    nrv::FreeArchiveItems(archive);
  }
};

// The archive is left (its inner tar deleted) after the probe: that is the leaving's cost.
Run OnTheWindowsThread(const nrv::Text& folder, const nrv::Text& name) {
  ArchivePanel shown(folder, nullptr);
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    shown.panel.archiveOpen = 1;
    shown.panel.archiveFormat = nrv::kFormatTarGz;
    shown.panel.findName = name;
    nrv::EnterArchive(shown.panel, shown.list, nullptr);
    return nrv::Count(shown.archive);
  });
}

Run OnAWorker(nrv::PanelContext& context, const nrv::Text& folder, const nrv::Text& name) {
  ArchivePanel shown(folder, &context);
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    nrv::EnterArchiveOnWorker(shown.panel, name, nrv::kFormatTarGz, nullptr);
    PumpUntilSwapped(shown.panel, shown.list);
    return nrv::Count(shown.archive);
  });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: archive_read_bench FOLDER NAME.tar.gz [ROUNDS]\n");
    return 2;
  }
  const nrv::Text folder(reinterpret_cast<const char16_t*>(argv[1]));
  const nrv::Text name(reinterpret_cast<const char16_t*>(argv[2]));
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring library(program);
  library = library.substr(0, library.find_last_of(L'\\') + 1) + L"7z.dll";
  nrv::SetArchiveLibrary(::LoadLibraryW(library.c_str()));
  if (!nrv::ArchiveLibrary() || !nrv::platform::OpenPrivateFolder()) {
    std::fprintf(stderr, "no 7z.dll beside the bench or no private folder\n");
    return 1;
  }
  nrv::bench::gBenchWindow = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  nrv::PanelContext context;
  context.reads.ended = &nrv::bench::PostReadEnd;
  context.updateTarget = nrv::bench::gBenchWindow;

  ::SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()));
  nrv::PanelItem* item = nrv::NewItem(name);
  std::vector<double> testMs;
  for (int i = 0; i < 20; ++i) {
    const auto start = Clock::now();
    nrv::TestArchiveFile(*item);
    testMs.push_back(Milliseconds(start));
  }
  nrv::FreeItem(item);

  std::vector<double> syncMs, backMs, syncMax, backMax, backP99;
  size_t syncCount = 0, backCount = 0;
  for (int round = 0; round < rounds; ++round) {
    const Run sync = OnTheWindowsThread(folder, name);
    const Run back = OnAWorker(context, folder, name);
    syncMs.push_back(sync.listMs);
    backMs.push_back(back.listMs);
    syncMax.push_back(Max(sync.waits));
    backMax.push_back(Max(back.waits));
    backP99.push_back(Percentile(back.waits, 0.99));
    syncCount = sync.count;
    backCount = back.count;
  }
  std::printf("quick format test on the window's thread: median %.2f ms\n", Median(testMs));
  std::printf("items: on the window's thread %zu, on a worker %zu\n", syncCount, backCount);
  std::printf("time to the complete list: on the window's thread %.0f ms, on a worker %.0f ms, ratio %.3f\n",
              Median(syncMs), Median(backMs), Median(backMs) / Median(syncMs));
  std::printf("longest answer of the window: on the window's thread %.0f ms (the whole open), on a worker %.1f ms "
              "worst, %.1f ms at the 99th percentile (targets <= 50, <= 20); worst against the floor %.4f\n",
              Median(syncMax), Max(backMax), Max(backP99), Max(backMax) / Median(syncMax));
  nrv::platform::ClosePrivateFolder();
  return 0;
}
