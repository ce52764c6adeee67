// Entering a large 7z against a bare loop over the same library calls (Open, GetNumberOfItems,
// five GetProperty per item), alternating the two; then the rebuild of the visible list at
// that size, and the bytes each archive item costs. Prints medians and ratios.
// Usage: archive_open_bench.exe <archive.7z>   (bench/archive_open.sh makes one and runs this)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_open_win32.h"
#include "bench/windows/bench_timing.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Median;
using nrv::bench::Milliseconds;

UINT32 BareLoop(const nrv::Text& path) {
  nrv::ComPtr<nrv::IInArchive> archive;
  nrv::CreateArchiveObject(nrv::kFormat7z, nrv::IID_IInArchive, reinterpret_cast<void**>(archive.Out()));
  auto* stream = new nrv::CInFileStream;
  nrv::ComPtr<nrv::IInStream> streamRef(stream);
  stream->AddRef();
  stream->Open(path);
  archive->Open(stream, nullptr, nullptr);
  UINT32 count = 0;
  archive->GetNumberOfItems(&count);
  PROPVARIANT value;
  ::PropVariantInit(&value);
  for (UINT32 i = 0; i < count; ++i)
    for (const PROPID id : {nrv::kpidSize, nrv::kpidAttrib, nrv::kpidIsDir, nrv::kpidMTime, nrv::kpidPath}) {
      archive->GetProperty(i, id, &value);
      ::PropVariantClear(&value);
    }
  return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: archive_open_bench <archive.7z>\n");
    return 2;
  }
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\') + 1);
  nrv::SetArchiveLibrary(::LoadLibraryW((folder + L"7z.dll").c_str()));
  const nrv::Text path = reinterpret_cast<const char16_t*>(argv[1]);

  nrv::Panel panel;
  nrv::ItemList visible;
  std::vector<double> bare, enter, read;
  UINT32 count = 0;
  for (int round = 0; round < 9; ++round) {
    auto start = Clock::now();
    count = BareLoop(path);
    bare.push_back(Milliseconds(start));
    {
      nrv::ArchiveItemList again;
      start = Clock::now();
      nrv::ReadArchiveItems(path, nrv::kFormat7z, nullptr, again);
      read.push_back(Milliseconds(start));
    }
    nrv::ArchiveItemList items;
    start = Clock::now();
    nrv::ReadArchiveItems(path, nrv::kFormat7z, nullptr, items);
    nrv::BuildVisibleList(items, u"", panel, visible);
    enter.push_back(Milliseconds(start));
  }
  std::printf("items %u\nbare loop   median %.1f ms\nenter       median %.1f ms\nratio enter/bare %.3f\n", count,
              Median(bare), Median(enter), Median(enter) / Median(bare));
  std::printf("read only   median %.1f ms (ratio %.3f)\n", Median(read), Median(read) / Median(bare));

  nrv::ArchiveItemList items;
  nrv::ReadArchiveItems(path, nrv::kFormat7z, nullptr, items);
  std::vector<double> rebuildRoot, rebuildFolder;
  const nrv::Text first = nrv::ItemName(items, items.items[0]);
  const nrv::Text inner(first.substr(0, first.find_first_of(u"\\/") + 1));
  for (int round = 0; round < 9; ++round) {
    auto start = Clock::now();
    nrv::BuildVisibleList(items, u"", panel, visible);
    rebuildRoot.push_back(Milliseconds(start));
    start = Clock::now();
    nrv::BuildVisibleList(items, inner, panel, visible);
    rebuildFolder.push_back(Milliseconds(start));
  }
  std::printf("rebuild root (%d shown)   median %.2f ms\n", nrv::Count(visible), Median(rebuildRoot));
  std::printf("rebuild folder            median %.2f ms\n", Median(rebuildFolder));

  // What the two buffers hold, their unused room included.
  size_t pathChars = 0;
  for (const nrv::ArchiveItem& item : items.items) pathChars += nrv::ItemName(items, item).size();
  const size_t bytes = nrv::HeldBytes(items);
  std::printf("memory per item %.1f bytes (average path %.1f characters)\n",
              static_cast<double>(bytes) / nrv::Count(items),
              static_cast<double>(pathChars) / nrv::Count(items));
  return 0;
}
