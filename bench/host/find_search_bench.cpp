// Find files' content search over a tree of 20,000 files and 500 MiB, with the text in none of
// them, against `grep -rlF` (and `-rliF`) of the same text over the same tree in the same run.
// ratio_vs_grep is grep's time over the search's: 1 is as fast as grep, higher is faster. The
// tree goes to $TMPDIR (or /tmp) once and stays in the page cache for both.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "find/find_walk.h"

namespace nrv {
namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 200;
constexpr size_t kFileBytes = 26214;  // 20,000 of them: 500 MiB
const char kNeedle[] = "Norvane needle 4711";

const std::string& BenchTree() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path tree = std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "norvane-find-bench";
    if (!std::filesystem::exists(tree / ".complete")) {
      std::string text;
      for (int i = 0; text.size() < kFileBytes; ++i)
        text += "The quick brown fox jumps over the lazy dog, line " + std::to_string(i) + "\n";
      text.resize(kFileBytes);
      for (int f = 0; f < kFolders; ++f) {
        const auto folder = tree / ("folder" + std::to_string(f));
        std::filesystem::create_directories(folder);
        for (int i = 0; i < kFilesPerFolder; ++i)
          std::ofstream(folder / ("file" + std::to_string(i) + ".txt"), std::ios::binary) << text;
      }
      std::ofstream(tree / ".complete");
    }
    return tree.string();
  }();
  return path;
}

double Seconds(const std::chrono::steady_clock::time_point& from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double GrepSeconds(const std::string& tree, const char* flags) {
  const std::string command = std::string("grep ") + flags + " '" + kNeedle + "' '" + tree + "' >/dev/null";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) == -1) return -1;
  return Seconds(start);
}

void SearchAgainstGrep(benchmark::State& state, bool caseSensitive, const char* grepFlags) {
  const std::string& tree = BenchTree();
  FindFilesQuery query;
  query.startFolder = FromUtf8(tree) + u"\\";
  query.text = Ascii(kNeedle);
  query.caseSensitive = caseSensitive;
  int found = 0;
  WalkCallbacks callbacks;
  callbacks.found = [&](TextView, const platform::FindData&) { ++found; };
  GrepSeconds(tree, grepFlags);  // warm the page cache
  double search = 0, grep = 0;
  for (auto _ : state) {
    SearchCounters counters;
    const auto start = std::chrono::steady_clock::now();
    RunSearch(query, counters, callbacks);
    const double seconds = Seconds(start);
    state.SetIterationTime(seconds);
    search += seconds;
    state.PauseTiming();
    grep += GrepSeconds(tree, grepFlags);
    state.ResumeTiming();
  }
  if (found != 0) state.SkipWithError("the text is in no file");
  state.SetBytesProcessed(state.iterations() * kFolders * kFilesPerFolder * static_cast<int64_t>(kFileBytes));
  state.counters["ratio_vs_grep"] = grep / search;
}

void BM_FindContentCaseSensitive(benchmark::State& state) { SearchAgainstGrep(state, true, "-rlF"); }
void BM_FindContentFolded(benchmark::State& state) { SearchAgainstGrep(state, false, "-rliF"); }

BENCHMARK(BM_FindContentCaseSensitive)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindContentFolded)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nrv
