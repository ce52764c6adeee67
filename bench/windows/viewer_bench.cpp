// The viewer's cost does not grow with the file: open plus first paint, and End plus paint,
// on a small file against a sparse file of several GiB, alternating the two, with the private
// memory the big file adds; then Page Down through a long text file, the first pages against
// the last. Prints medians and ratios.
// Usage: viewer_bench.exe SMALL BIG LONG [PAGES]   (bench/viewer_open.sh makes the files)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <numeric>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "panel/shell_calls.h"
#include "shell/fonts.h"
#include "shell/application.h"
#include "shell/startup.h"
#include "viewer/viewer_search.h"
#include "viewer/viewer_window_win32.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

struct OpenCost {
  double open = 0;  // open and the first paint
  double end = 0;   // End and its paint
};

int64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
  return static_cast<int64_t>(counters.PrivateUsage);
}

OpenCost OpenAndEnd(nrv::ViewerSession& viewer, const nrv::Text& path, int64_t* growth) {
  const int64_t before = PrivateBytes();
  OpenCost cost;
  auto start = Clock::now();
  if (nrv::OpenViewer(viewer, path, path) != 0) return cost;
  nrv::ShowViewer(viewer);
  cost.open = Milliseconds(start);
  start = Clock::now();
  nrv::RunViewerCommand(viewer, {nrv::ViewerAction::End, 0});
  cost.end = Milliseconds(start);
  if (growth) *growth = std::max(*growth, PrivateBytes() - before);
  nrv::CloseViewer(viewer);
  return cost;
}

double Mean(const std::vector<double>& values, size_t from, size_t count) {
  return std::accumulate(values.begin() + static_cast<std::ptrdiff_t>(from),
                         values.begin() + static_cast<std::ptrdiff_t>(from + count), 0.0) /
         static_cast<double>(count);
}

// What the system gives for each of the five viewer faces (Wine lacks some of them).
void PrintFaces() {
  const HDC dc = ::CreateCompatibleDC(nullptr);
  for (int32_t face = 1000; face <= 1004; ++face) {
    const HGDIOBJ previous = ::SelectObject(dc, nrv::FixedFont(1001, face));
    wchar_t name[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, name);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    std::printf("face %d: drawn with \"%ls\", %ldx%ld, character set %d\n", face, name, metrics.tmAveCharWidth,
                metrics.tmHeight, metrics.tmCharSet);
    ::SelectObject(dc, previous);
  }
  ::DeleteDC(dc);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: viewer_bench SMALL BIG LONG [PAGES]\n");
    return 2;
  }
  const int pages = argc > 4 ? _wtoi(argv[4]) : 10000;
  if (nrv::StartShell(::GetModuleHandleW(nullptr)) != 0) return 1;
  nrv::ReleaseShellCalls();
  PrintFaces();
  nrv::TheSettings().ViewerSavePosition = 0;  // every run starts each file at its top
  nrv::ViewerSession& viewer = nrv::TheApplication().viewer;
  nrv::TheShellState().viewerOpen = true;
  const nrv::Text small = reinterpret_cast<const char16_t*>(argv[1]);
  const nrv::Text big = reinterpret_cast<const char16_t*>(argv[2]);
  const nrv::Text longFile = reinterpret_cast<const char16_t*>(argv[3]);

  // The first opening of each grows the heap; later ones reuse it.
  int64_t smallGrowth = 0, bigGrowth = 0;
  OpenAndEnd(viewer, small, &smallGrowth);
  OpenAndEnd(viewer, big, &bigGrowth);
  std::vector<double> smallOpen, smallEnd, bigOpen, bigEnd;
  for (int round = 0; round < 15; ++round) {
    const OpenCost s = OpenAndEnd(viewer, small, nullptr);
    const OpenCost b = OpenAndEnd(viewer, big, nullptr);
    smallOpen.push_back(s.open);
    smallEnd.push_back(s.end);
    bigOpen.push_back(b.open);
    bigEnd.push_back(b.end);
  }
  std::printf("open + first paint: small %.2f ms, big %.2f ms, ratio %.3f\n", Median(smallOpen), Median(bigOpen),
              Median(bigOpen) / Median(smallOpen));
  std::printf("End + paint:        small %.2f ms, big %.2f ms, ratio %.3f\n", Median(smallEnd), Median(bigEnd),
              Median(bigEnd) / Median(smallEnd));
  std::printf("private memory of the first opening: small %+.1f KiB, big %+.1f KiB\n", smallGrowth / 1024.0,
              bigGrowth / 1024.0);

  std::vector<double> perPage;
  if (nrv::OpenViewer(viewer, longFile, longFile) == 0) {
    nrv::ShowViewer(viewer);
    for (int page = 0; page < pages; ++page) {
      const auto start = Clock::now();
      nrv::RunViewerCommand(viewer, {nrv::ViewerAction::PageDown, 0});
      perPage.push_back(Milliseconds(start));
    }
    const double percent = viewer.doc.fileSize > 0 ? 100.0 * viewer.doc.screenEnd / viewer.doc.fileSize : 0;
    // The first pages once more, right after the last ones: the machine's drift shows apart
    // from the position's.
    nrv::RunViewerCommand(viewer, {nrv::ViewerAction::Home, 0});
    std::vector<double> again;
    for (int page = 0; page < 100; ++page) {
      const auto start = Clock::now();
      nrv::RunViewerCommand(viewer, {nrv::ViewerAction::PageDown, 0});
      again.push_back(Milliseconds(start));
    }
    nrv::CloseViewer(viewer);
    const size_t n = std::min<size_t>(100, perPage.size() / 2);
    if (n > 0) {
      const double first = Mean(perPage, 0, n), last = Mean(perPage, perPage.size() - n, n);
      const double firstAgain = Mean(again, 0, again.size());
      std::printf("Page Down x %d (to %.2f%% of the file): first %zu %.3f ms/page, last %zu %.3f ms/page, ratio %.3f; "
                  "first 100 again %.3f ms/page, last/again %.3f\n",
                  pages, percent, n, first, n, last, last / first, firstAgain, last / firstAgain);
    }
  }
  // The search through the viewer over the long file, for its last line (bench/viewer_open.sh
  // writes 39-byte lines numbered from 0).
  if (nrv::OpenViewer(viewer, longFile, longFile) == 0) {
    nrv::ShowViewer(viewer);
    char last[64];
    std::snprintf(last, sizeof last, "line %010lld of", static_cast<long long>(viewer.doc.fileSize / 39 - 1));
    viewer.doc.search.text = nrv::Ascii(last);
    viewer.doc.search.caseSensitive = true;
    viewer.doc.search.start = 0;
    const auto start = Clock::now();
    const int found = nrv::FindNext(viewer.doc);
    const double ms = Milliseconds(start);
    std::printf("search through the viewer for the last line: %s in %.0f ms, %.0f MiB/s\n",
                found == nrv::kSearchFound ? "found" : "NOT found", ms, viewer.doc.fileSize / 1048576.0 / (ms / 1000));
    nrv::CloseViewer(viewer);
  }
  nrv::TheShellState().viewerOpen = false;
  nrv::StopShell();
  return 0;
}
