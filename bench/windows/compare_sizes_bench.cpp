// Compare folders by content and folder sizes under Wine against the least the same work needs,
// alternating the two so both see the same cache state: the comparison of two folders of
// 10,000 equal files against reading both sides with ReadFile in 1 MiB blocks, and the size walk
// of a tree of 100,000 files against a bare FindFirstFileW/FindNextFileW walk adding sizes.
// Prints medians and ratios (ours over baseline: 1 is as fast, lower is better).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "core/folder_compare.h"
#include "core/folder_sizes.h"
#include "platform/files.h"
#include "shell/content_compare.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

int64_t ReadWhole(const std::wstring& path, std::vector<char>& buffer) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD read = 0;
  int64_t total = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) total += read;
  CloseHandle(file);
  return total;
}

std::vector<nrv::CompareEntry> Entries(const std::wstring& folder) {
  std::vector<nrv::CompareEntry> entries;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const auto* name = reinterpret_cast<const char16_t*>(data.cFileName);
    entries.push_back({nrv::Text(name), false, (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow, 0});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

int64_t BareSizes(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int64_t bytes = 0;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      bytes += BareSizes(folder + name + L"\\");
    else
      bytes += (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return bytes;
}

void CompareContent(const std::wstring& left, const std::wstring& right, int rounds) {
  std::vector<char> buffer(nrv::kContentCompareBlock);
  const auto leftEntries = Entries(left);
  const auto rightEntries = Entries(right);
  const nrv::Text leftText(reinterpret_cast<const char16_t*>(left.c_str()));
  const nrv::Text rightText(reinterpret_cast<const char16_t*>(right.c_str()));
  nrv::CompareOptions options;
  options.byContent = true;
  const std::atomic<bool> stop{false};
  nrv::ContentBuffers buffers;
  std::vector<double> bare, ours;
  int64_t bytes = 0;
  int identical = 0;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    bytes = 0;
    for (const auto& entry : leftEntries) {
      const std::wstring name(entry.name.begin(), entry.name.end());
      bytes += ReadWhole(left + name, buffer) + ReadWhole(right + name, buffer);
    }
    bare.push_back(Milliseconds(start));
    start = Clock::now();
    identical = nrv::CompareEntryLists(options, leftEntries, rightEntries,
                                       [&](const nrv::CompareEntry& l, const nrv::CompareEntry& r) {
                                         return nrv::CompareFileContents(leftText + l.name, rightText + r.name, stop,
                                                                         nullptr, buffers);
                                       })
                    .identical;
    ours.push_back(Milliseconds(start));
  }
  std::printf("compare by content: %zu pairs, %lld bytes read, %d identical; ReadFile 1 MiB %.1f ms, compare %.1f ms, "
              "ratio %.2f (medians of %d)\n",
              leftEntries.size(), static_cast<long long>(bytes), identical, Median(bare), Median(ours),
              Median(ours) / Median(bare), rounds);
}

void FolderSizes(const std::wstring& folder, int rounds) {
  const nrv::Text text(reinterpret_cast<const char16_t*>(folder.c_str()));
  std::vector<double> bare, ours;
  int64_t bareBytes = 0;
  nrv::FolderSize size;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    bareBytes = BareSizes(folder);
    bare.push_back(Milliseconds(start));
    start = Clock::now();
    size = nrv::MeasureFolder(text, std::atomic<bool>{false});
    ours.push_back(Milliseconds(start));
  }
  std::printf("folder sizes: %lld files, %lld bytes (bare walk %lld); FindFirstFileW walk %.1f ms, measure %.1f ms, "
              "ratio %.2f (medians of %d)\n",
              static_cast<long long>(size.files), static_cast<long long>(size.bytes), static_cast<long long>(bareBytes),
              Median(bare), Median(ours), Median(ours) / Median(bare), rounds);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: compare_sizes_bench LEFT\\ RIGHT\\ SIZES_TREE\\ [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 4 ? _wtoi(argv[4]) : 3;
  CompareContent(argv[1], argv[2], rounds);
  FolderSizes(argv[3], rounds);
  return 0;
}
