// Compare folders by content over two folders of 10,000 files and 1 GiB each, every pair equal
// (so every byte is read), against `cmp -s` on the same pairs in the same run.
// ratio_vs_cmp is cmp's time over the comparison's: 1 is as fast as cmp, higher is faster.
// The trees go to $TMPDIR (or /tmp) once and stay in the page cache for both.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/folder_compare.h"
#include "shell/content_compare.h"

namespace nrv {
namespace {

constexpr int kFiles = 10000;
constexpr size_t kFileBytes = (size_t{1} << 30) / kFiles;

const std::filesystem::path& BenchTrees() {
  static const std::filesystem::path root = [] {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path trees = std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "norvane-compare-bench";
    if (!std::filesystem::exists(trees / ".complete")) {
      std::string bytes(kFileBytes, '\0');
      for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
      for (const char* side : {"left", "right"}) {
        std::filesystem::create_directories(trees / side);
        for (int i = 0; i < kFiles; ++i)
          std::ofstream(trees / side / ("file" + std::to_string(i) + ".bin"), std::ios::binary) << bytes;
      }
      std::ofstream(trees / ".complete");
    }
    return trees;
  }();
  return root;
}

double Seconds(const std::chrono::steady_clock::time_point& from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double CmpSeconds(const std::filesystem::path& trees) {
  const std::string command = "cd '" + trees.string() +
                              "/left' && for f in *; do cmp -s \"$f\" \"../right/$f\" || exit 1; done";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return Seconds(start);
}

std::vector<CompareEntry> Entries(const std::filesystem::path& folder) {
  std::vector<CompareEntry> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    entries.push_back({FromUtf8(entry.path().filename().string()), false, static_cast<int64_t>(entry.file_size()), 0});
  return entries;
}

void CompareContentAgainstCmp(benchmark::State& state) {
  const std::filesystem::path& trees = BenchTrees();
  const Text left = FromUtf8((trees / "left").string()) + u"\\";
  const Text right = FromUtf8((trees / "right").string()) + u"\\";
  const auto leftEntries = Entries(trees / "left");
  const auto rightEntries = Entries(trees / "right");
  CompareOptions options;
  options.byContent = true;
  const std::atomic<bool> stop{false};
  nrv::ContentBuffers buffers;
  CmpSeconds(trees);  // warm the page cache
  double compare = 0, cmp = 0;
  int identical = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const CompareOutcome outcome =
        CompareEntryLists(options, leftEntries, rightEntries, [&](const CompareEntry& l, const CompareEntry& r) {
          return CompareFileContents(left + l.name, right + r.name, stop, nullptr, buffers);
        });
    const double seconds = Seconds(start);
    identical = outcome.identical;
    state.SetIterationTime(seconds);
    compare += seconds;
    state.PauseTiming();
    cmp += CmpSeconds(trees);
    state.ResumeTiming();
  }
  if (identical != kFiles) state.SkipWithError("every pair is equal");
  state.SetBytesProcessed(state.iterations() * 2 * kFiles * static_cast<int64_t>(kFileBytes));
  state.counters["ratio_vs_cmp"] = cmp / compare;
}

BENCHMARK(CompareContentAgainstCmp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace nrv
