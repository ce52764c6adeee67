// A panel's read on a worker against today's synchronous ReadFolder of the same folder, in the
// same run: how long a window's thread waits to answer meanwhile (another thread sends it
// WM_NULL every 10 ms, as a user's keys and paints would wait), the time to the complete list,
// and the process's private memory at its peak during a re-read against the list's own size.
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/windows/answer_prober.h"
#include "bench/windows/bench_timing.h"
#include "core/listing.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "panel/panel_reader.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Max;
using nrv::bench::Median;
using nrv::bench::Milliseconds;
using nrv::bench::Percentile;
using nrv::bench::PumpUntilSwapped;

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  // Wine leaves PrivateUsage at 0; its PagefileUsage counts the private bytes.
  return counters.PagefileUsage;
}

using Run = nrv::bench::ProbedRun;

// The window's thread is busy with the listing: the prober waits for all of it.
Run Synchronous(const nrv::Text& folder) {
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    nrv::Panel panel;
    panel.path = folder;
    nrv::ItemList list;
    nrv::ReadFolder(panel, list);
    return list.items.size();
  });
}

Run Background(nrv::PanelContext& context, const nrv::Text& folder) {
  return nrv::bench::Probed(nrv::bench::gBenchWindow, [&] {
    nrv::Panel panel;
    panel.context = &context;
    panel.path = folder;
    nrv::ItemList list;
    nrv::ReadNewLocation(panel, list, nrv::SaveLocation(panel), {});
    PumpUntilSwapped(panel, list);
    return list.items.size();
  });
}

// The highest private bytes while body runs, sampled every millisecond by another thread.
template <typename Body>
size_t PeakDuring(Body body) {
  std::atomic<bool> stop{false};
  std::atomic<size_t> peak{PrivateBytes()};
  std::thread sampler([&] {
    while (!stop.load()) {
      const size_t now = PrivateBytes();
      if (now > peak.load()) peak = now;
      ::Sleep(1);
    }
  });
  body();
  stop = true;
  sampler.join();
  return peak.load();
}

// An empty folder of the bench's own, made once.
nrv::Text EmptyFolder() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring path = std::wstring(temp) + L"norvane-bench-empty";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return nrv::Text(reinterpret_cast<const char16_t*>(path.c_str()));
}

// The list's own size, the peak private bytes above the process before the list during a
// synchronous first read (the floor: what the system's listing holds besides the list), and
// during a re-read that swaps a new list in for it. The panel stands as in the program first:
// it has shown a folder, so its reading thread is running before anything is measured.
void RereadMemory(nrv::PanelContext& context, const nrv::Text& folder) {
  nrv::Panel panel;
  panel.context = &context;
  panel.path = EmptyFolder();
  nrv::ItemList list;
  nrv::RereadInBackground(panel);
  PumpUntilSwapped(panel, list);
  nrv::ClearItems(list);
  panel.path = folder;
  const size_t empty = PrivateBytes();
  const size_t firstPeak = PeakDuring([&] {
    nrv::ReadFolder(panel, list);
    nrv::ComputeTotals(list, panel);  // as every list shown: the re-read knows what to expect
  });
  const size_t withList = PrivateBytes();
  const size_t rereadPeak = PeakDuring([&] {
    nrv::RereadInBackground(panel);
    PumpUntilSwapped(panel, list);
  });
  const double listBytes = static_cast<double>(withList - empty);
  const double mib = 1048576.0;
  std::printf("memory: list %.1f MiB; peak during a synchronous first read %.1f MiB (%.2f of the list); "
              "peak during a re-read %.1f MiB, ratio %.2f (target <= 2.1); floor (list + first read's peak) %.2f\n",
              listBytes / mib, (firstPeak - empty) / mib, (firstPeak - empty) / listBytes, (rereadPeak - empty) / mib,
              (rereadPeak - empty) / listBytes, (listBytes + (firstPeak - empty)) / listBytes);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: background_read_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const nrv::Text folder(reinterpret_cast<const char16_t*>(argv[1]));
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
  nrv::bench::gBenchWindow = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  nrv::PanelContext context;
  context.reads.ended = &nrv::bench::PostReadEnd;
  // First, while the process's heap holds nothing freed that a list could take up again.
  RereadMemory(context, folder);
  std::vector<double> syncMs, backMs, syncMax, backMax, backP99;
  size_t syncCount = 0, backCount = 0;
  for (int round = 0; round < rounds; ++round) {
    const Run sync = Synchronous(folder);
    const Run back = Background(context, folder);
    syncMs.push_back(sync.listMs);
    backMs.push_back(back.listMs);
    syncMax.push_back(Max(sync.waits));
    backMax.push_back(Max(back.waits));
    backP99.push_back(Percentile(back.waits, 0.99));
    syncCount = sync.count;
    backCount = back.count;
  }
  std::printf("entries: synchronous %zu, on a worker %zu\n", syncCount, backCount);
  std::printf("time to the complete list: synchronous %.1f ms, on a worker %.1f ms, ratio %.3f (target <= 1.05)\n",
              Median(syncMs), Median(backMs), Median(backMs) / Median(syncMs));
  std::printf("longest answer of the window: synchronous %.1f ms (the whole read), on a worker %.1f ms worst, "
              "%.1f ms at the 99th percentile (targets <= 50, <= 20)\n",
              Median(syncMax), Max(backMax), Max(backP99));
  return 0;
}
