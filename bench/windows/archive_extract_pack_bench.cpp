// Extracting from and packing into a 7z through the progress window and its worker, as the
// commands do, timed from the call to the closed window; with how often the window redrew and
// the share of the time that took.
// Usage: archive_extract_pack_bench.exe x <archive.7z> <destination> <name>...
//        archive_extract_pack_bench.exe a <source folder> <new archive.7z> <name>...
// (bench/archive_extract_pack.sh makes the data, runs this and 7-Zip's console on the same.)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "archive/add_command_win32.h"
#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/extract_command_win32.h"
#include "bench/windows/bench_timing.h"
#include "fileops/progress_dialog_win32.h"
#include "platform/win32/wide.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: x <archive> <destination> <name>... | a <folder> <archive> <name>...\n");
    return 2;
  }
  nrv::SetArchiveLibrary(::LoadLibraryW(L"7z.dll"));
  const std::wstring mode = argv[1];
  const nrv::Text first = nrv::platform::FromWide(argv[2]);
  const nrv::Text second = nrv::platform::FromWide(argv[3]);
  std::vector<nrv::Text> names;
  for (int i = 4; i < argc; ++i) names.push_back(nrv::platform::FromWide(argv[i]));

  const auto start = nrv::bench::Clock::now();
  int result = -1;
  if (mode == L"x") {
    nrv::Panel panel;
    panel.archiveOpen = 1;
    panel.archiveFormat = nrv::kFormat7z;
    const size_t slash = first.find_last_of(u'\\');
    panel.path = first.substr(0, slash);
    panel.findName = first.substr(slash + 1);
    result = nrv::ExtractDroppedItems(panel, names, second);
  } else {
    std::vector<nrv::ExtractEntry> entries;
    for (const nrv::Text& name : names) {
      const DWORD attributes = ::GetFileAttributesW(nrv::platform::Wide(first + u"\\" + name));
      entries.push_back({name, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)});
    }
    result = nrv::PackEntries(first, entries, second, false);
  }
  const double milliseconds = nrv::bench::Milliseconds(start);
  const nrv::ProgressDrawTotals drawn = nrv::ProgressDrawTotalsSoFar();
  std::printf("%s seconds %.3f redraws %d (%.1f per second) redraw_share %.4f result %d\n",
              mode == L"x" ? "extract" : "pack", milliseconds / 1000, drawn.redraws,
              drawn.redraws * 1000.0 / milliseconds, drawn.milliseconds / milliseconds, result);
  return result == 0 ? 0 : 1;
}
