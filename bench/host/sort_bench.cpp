// Sorting 100,000 rows in every order against a plain sort by precomputed keys, and what a
// row costs in memory. Counters: time_per_item is the sort time per row; bytes_per_item the
// heap bytes a row and its pointer in the list take (malloc's own overhead included).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/item_list.h"
#include "core/panel.h"
#include "core/sorting.h"
#include "platform/files.h"

namespace nrv {
namespace {

constexpr int kItems = 100000;

const char* const kSyllables[] = {"ka", "Lo", "mer", "ti", "Van", "so", "re", "Dul", "pix",
                                  "an", "Bor", "el", "qu", "ist", "No", "ra"};
const char* const kExtensions[] = {"txt", "JPG", "jpg", "docx", "cpp", "h", "dll", "exe",
                                   "Png", "zip", "7z", "log", "", "json", "XML", "pdf"};

std::string Word(std::mt19937& random, int syllables) {
  std::string word;
  for (int i = 0; i < syllables; ++i) word += kSyllables[random() % std::size(kSyllables)];
  return word;
}

std::string Number(std::mt19937& random, int digits) {
  std::string number;
  for (int i = 0; i < digits; ++i) number += static_cast<char>('0' + random() % 10);
  return number;
}

// Names as a big real folder has them: camera series and report drafts with long shared
// prefixes, source files, package folders, mixed case everywhere.
std::string RealisticName(std::mt19937& random, bool folder) {
  const std::string extension = kExtensions[random() % std::size(kExtensions)];
  std::string name;
  switch (random() % (folder ? 3 : 5)) {
    case 0: name = "IMG_2024" + Number(random, 4) + "_" + Number(random, 6); break;
    case 1:
      name = "Project Report - Quarterly Summary - " + Word(random, 2) + " v" + Number(random, 3);
      break;
    case 2: name = "node-" + Word(random, 2) + "-" + Word(random, 3); break;
    case 3: name = Word(random, 3) + Word(random, 2); break;
    default: name = Word(random, 1) + "_" + Number(random, 2) + "_" + Word(random, 2); break;
  }
  if (!folder && !extension.empty()) name += "." + extension;
  return name;
}

// One shared set of rows, made once; every benchmark sorts pointers into it.
struct Rows {
  ItemList owner;
  std::vector<PanelItem*> shuffled;
  std::vector<Text> foldedKeys;  // name key per row, for the baseline; index in reparseTag

  Rows() {
    std::mt19937 random(20261206);
    owner.items.reserve(kItems);
    Append(owner, NewItem(u".."));
    owner.items.back()->attributes = platform::kAttributeDirectory;
    owner.items.back()->size = kUpEntrySize;
    for (int i = 1; i < kItems; ++i) {
      const bool folder = random() % 4 == 0;
      PanelItem* item = NewItem(Ascii(RealisticName(random, folder)));
      item->attributes = folder ? platform::kAttributeDirectory : platform::kAttributeArchive;
      item->size = folder ? kFolderSize : static_cast<int64_t>(random() % 50000000);
      item->writeTime = 133000000000000000ULL + random() % 100000000000000ULL;
      item->creationTime = item->writeTime - random() % 1000000000ULL;
      item->accessTime = item->writeTime + random() % 1000000000ULL;
      Append(owner, item);
    }
    for (PanelItem* item : owner.items) {
      Text key(ItemName(*item));
      if (IsUpEntry(*item))
        key.insert(key.begin(), u'\u0001');
      else if (IsFolder(*item))
        key.insert(key.begin(), u'\u0002');
      for (auto& c : key)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
      item->reparseTag = static_cast<uint32_t>(foldedKeys.size());
      foldedKeys.push_back(std::move(key));
    }
    shuffled = owner.items;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
  }
};

Rows& TheRows() {
  static Rows rows;
  return rows;
}

void ReportPerItem(benchmark::State& state) {
  state.counters["time_per_item"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kItems,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SortInMode(benchmark::State& state, int32_t mode, bool presorted) {
  Rows& rows = TheRows();
  Panel panel;
  panel.sortMode = presorted ? kSortName : mode;
  ItemList list;
  list.items = rows.shuffled;
  if (presorted) SortItems(list, panel);
  const std::vector<PanelItem*> input = list.items;
  panel.sortMode = mode;
  for (auto _ : state) {
    state.PauseTiming();
    list.items = input;
    state.ResumeTiming();
    SortItems(list, panel);
    benchmark::DoNotOptimize(list.items.data());
  }
  list.items.clear();  // the rows belong to TheRows()
  ReportPerItem(state);
}

void BM_SortName(benchmark::State& state) { SortInMode(state, kSortName, false); }
void BM_SortNamePresorted(benchmark::State& state) { SortInMode(state, kSortName, true); }
void BM_SortExtension(benchmark::State& state) { SortInMode(state, kSortExtension, false); }
void BM_SortSize(benchmark::State& state) { SortInMode(state, kSortSize, false); }
void BM_SortAccessTime(benchmark::State& state) { SortInMode(state, kSortAccessTime, false); }
void BM_SortCreationTime(benchmark::State& state) { SortInMode(state, kSortCreationTime, false); }
void BM_SortWriteTime(benchmark::State& state) { SortInMode(state, kSortWriteTime, false); }

// The yardstick: the same pointers by a key folded and joined in advance.
void BM_BaselinePrecomputedKey(benchmark::State& state) {
  Rows& rows = TheRows();
  const std::vector<Text>& keys = rows.foldedKeys;
  std::vector<PanelItem*> items;
  for (auto _ : state) {
    state.PauseTiming();
    items = rows.shuffled;
    state.ResumeTiming();
    std::sort(items.begin(), items.end(), [&keys](const PanelItem* a, const PanelItem* b) {
      return keys[a->reparseTag] < keys[b->reparseTag];
    });
    benchmark::DoNotOptimize(items.data());
  }
  ReportPerItem(state);
}

#if defined(__GLIBC__)
// 100,000 rows with 20-character names appended one by one, as a listing does.
void BM_MemoryPerItem(benchmark::State& state) {
  double bytesPerItem = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    {
      ItemList list;
      for (int i = 0; i < kItems; ++i) {
        std::string name = "file_" + std::to_string(10000000000LL + i) + ".txt";  // 20 characters
        PanelItem* item = NewItem(Ascii(name));
        item->attributes = platform::kAttributeArchive;
        Append(list, item);
      }
      bytesPerItem = static_cast<double>(mallinfo2().uordblks - before) / kItems;
      benchmark::DoNotOptimize(list.items.data());
    }
  }
  state.counters["bytes_per_item"] = bytesPerItem;
  state.counters["record_bytes"] = sizeof(PanelItem);
}
BENCHMARK(BM_MemoryPerItem)->Iterations(3)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_BaselinePrecomputedKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamePresorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortExtension)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAccessTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortCreationTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortWriteTime)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nrv
