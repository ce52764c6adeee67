// Times ReadFolder against a bare FindFirstFileW/FindNextFileW loop over the same folder,
// alternating the two so that both see the same cache state. Prints medians and ratios.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "core/settings.h"
#include "core/listing.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

size_t BareLoop(const std::wstring& folder) {
  // The same work a listing must do at the least: make the folder current, list, keep names.
  SetCurrentDirectoryW(folder.c_str());
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(L"*.*", &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    names.emplace_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names.size();
}

double TimeReadFolder(const std::wstring& folder, int32_t sortMode, size_t& count) {
  nrv::Panel panel;
  panel.path.assign(folder.begin(), folder.end());
  panel.sortMode = sortMode;
  nrv::ItemList list;
  const auto start = Clock::now();
  nrv::ReadFolder(panel, list);
  const double elapsed = Milliseconds(start);
  count = list.items.size();
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: readfolder_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
  // A panel of no application lists without watching.
  std::vector<double> bare, named, unsorted;
  size_t bareCount = 0, listCount = 0;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    bareCount = BareLoop(folder);
    bare.push_back(Milliseconds(start));
    named.push_back(TimeReadFolder(folder, nrv::kSortName, listCount));
    unsorted.push_back(TimeReadFolder(folder, nrv::kSortUnsorted, listCount));
  }
  const double base = Median(bare);
  std::printf("entries: bare loop %zu, ReadFolder %zu\n", bareCount, listCount);
  std::printf("bare FindFirstFileW/FindNextFileW loop: %.1f ms (median of %d)\n", base, rounds);
  std::printf("ReadFolder, name order: %.1f ms, ratio %.2f\n", Median(named), Median(named) / base);
  std::printf("ReadFolder, unsorted:   %.1f ms, ratio %.2f\n", Median(unsorted), Median(unsorted) / base);
  return 0;
}
