// Viewer search over a 1 GiB text file with the only hit at its end, against `grep -c -F` on
// the same file in the same run. Counters: ratio_vs_grep is grep's time over the viewer's
// (1 means as fast as grep, higher is faster); bytes_per_second is the viewer's throughput.
// The file goes to $TMPDIR (or /tmp) once and stays in the page cache for both.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "viewer/viewer_document.h"
#include "viewer/viewer_search.h"

namespace nrv {
namespace {

constexpr int64_t kFileSize = 1LL << 30;
const char kNeedle[] = "Norvane needle 4711";

const std::string& BenchFile() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path file =
        std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "norvane-viewer-search-bench.txt";
    std::error_code error;
    if (std::filesystem::file_size(file, error) != static_cast<uintmax_t>(kFileSize)) {
      std::string block;
      for (int i = 0; block.size() < (1 << 20); ++i)
        block += "The quick brown fox jumps over the lazy dog, line " + std::to_string(i) + "\n";
      block.resize(1 << 20);
      block.back() = '\n';
      std::ofstream out(file, std::ios::binary);
      for (int64_t written = 0; written < kFileSize - (1 << 20); written += 1 << 20) out << block;
      std::string tail = block;
      tail.replace(tail.size() - sizeof kNeedle, sizeof kNeedle - 1, kNeedle);
      out << tail;
    }
    return file.string();
  }();
  return path;
}

double Seconds(const std::chrono::steady_clock::time_point& from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double GrepSeconds(const std::string& path, const char* flags) {
  const std::string command = std::string("grep -c ") + flags + " '" + kNeedle + "' '" + path + "' >/dev/null";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return Seconds(start);
}

void SearchAgainstGrep(benchmark::State& state, SearchFold fold, const char* grepFlags) {
  const std::string& path = BenchFile();
  ViewerFile file;
  if (!OpenViewerFile(file, FromUtf8(path))) {
    state.SkipWithError("cannot open the bench file");
    return;
  }
  SearchRun run;
  run.file = &file;
  run.fileSize = ViewerFileSize(file);
  run.fold = fold;
  std::string pattern = kNeedle;
  if (fold != SearchFold::kNone)
    for (auto& c : pattern) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  GrepSeconds(path, grepFlags);  // warm the page cache
  double viewer = 0, grep = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int64_t hit = FindBytes(run, 0, pattern);
    const double seconds = Seconds(start);
    if (hit != kFileSize - static_cast<int64_t>(sizeof kNeedle)) state.SkipWithError("no hit at the end");
    state.SetIterationTime(seconds);
    viewer += seconds;
    state.PauseTiming();
    grep += GrepSeconds(path, grepFlags);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kFileSize);
  state.counters["ratio_vs_grep"] = grep / viewer;
}

void BM_ViewerSearchCaseSensitive(benchmark::State& state) { SearchAgainstGrep(state, SearchFold::kNone, "-F"); }
void BM_ViewerSearchFolded(benchmark::State& state) { SearchAgainstGrep(state, SearchFold::kCodePage, "-F -i"); }

BENCHMARK(BM_ViewerSearchCaseSensitive)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerSearchFolded)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nrv
