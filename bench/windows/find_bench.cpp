// Find files under Wine against the least the same work needs, alternating the two so both see
// the same cache state: a name-only search against a bare recursive FindFirstFileW/FindNextFileW
// walk, and a content search against reading every file with ReadFile in 64 KiB blocks.
// Prints medians and ratios (search over baseline: 1 is as fast, lower is better).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "find/find_walk.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

// Every entry below folder (ending with a backslash); with readFiles, every file's bytes too.
size_t BareWalk(const std::wstring& folder, bool readFiles, std::vector<char>& buffer) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  size_t count = 0;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    ++count;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      count += BareWalk(folder + name + L"\\", readFiles, buffer);
    } else if (readFiles) {
      HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
      if (file == INVALID_HANDLE_VALUE) continue;
      DWORD read = 0;
      while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
      }
      CloseHandle(file);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

double TimeSearch(const std::wstring& folder, const wchar_t* mask, const wchar_t* text, int& found) {
  nrv::FindFilesQuery query;
  query.startFolder.assign(folder.begin(), folder.end());
  query.mask.assign(mask, mask + wcslen(mask));
  query.text.assign(text, text + wcslen(text));
  nrv::SearchCounters counters;
  found = 0;
  nrv::WalkCallbacks callbacks;
  callbacks.found = [&](nrv::TextView, const nrv::platform::FindData&) { ++found; };
  const auto start = Clock::now();
  nrv::RunSearch(query, counters, callbacks);
  return Milliseconds(start);
}

void Compare(const char* what, const std::wstring& folder, const wchar_t* mask, const wchar_t* text, bool readFiles,
             int rounds) {
  std::vector<char> buffer(64 * 1024);
  std::vector<double> bare, search;
  size_t entries = 0;
  int found = 0;
  for (int round = 0; round < rounds; ++round) {
    const auto start = Clock::now();
    entries = BareWalk(folder, readFiles, buffer);
    bare.push_back(Milliseconds(start));
    search.push_back(TimeSearch(folder, mask, text, found));
  }
  std::printf("%s: %zu entries, %d found; baseline %.1f ms, search %.1f ms, ratio %.2f (medians of %d)\n", what,
              entries, found, Median(bare), Median(search), Median(search) / Median(bare), rounds);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: find_bench NAMES_FOLDER\\ CONTENT_FOLDER\\ [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
  Compare("names only (mask *.none)", argv[1], L"*.none", L"", false, rounds);
  Compare("content (text absent)", argv[2], L"*.*", L"Norvane needle 4711", true, rounds);
  return 0;
}
