// Switching between two tabs costs what reading the folder again costs: times a tab switch to
// the painted list (Ctrl+Tab) against a re-read of the same folder (Reload panel) on folders of
// many files, in the same run; and the memory an inactive tab keeps.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "core/panel_tabs.h"
#include "panel/navigation.h"
#include "panel/panel_reader.h"
#include "panel/panel_paint.h"
#include "panel/shell_calls.h"
#include "shell/application.h"
#include "shell/panel_commands_win32.h"
#include "shell/panel_tabs_win32.h"
#include "shell/startup.h"

namespace {

using nrv::bench::Clock;
using nrv::bench::Milliseconds;

// Heap a string keeps beyond its own record: nothing while it fits the short-string buffer.
size_t HeapOf(const nrv::Text& text) {
  return text.capacity() > nrv::Text().capacity() ? (text.capacity() + 1) * sizeof(char16_t) : 0;
}

size_t InactiveTabBytes(const nrv::PanelTab& tab) {
  return sizeof(tab) + HeapOf(tab.archiveName) + HeapOf(tab.inner) + HeapOf(tab.server) +
         HeapOf(tab.cursorName) + HeapOf(tab.login) + HeapOf(tab.password);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tab_switch_bench FOLDER_A FOLDER_B [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 20;
  ::SetCurrentDirectoryW(argv[1]);
  if (nrv::StartShell(::GetModuleHandleW(nullptr)) != 0) return 1;
  nrv::ReleaseShellCalls();  // no message loop runs here to let them through
  nrv::Panel& panel = nrv::PanelOf(nrv::kLeftPanel);
  nrv::ItemList& list = nrv::ItemsOf(nrv::kLeftPanel);
  nrv::NewTab(panel, list);
  nrv::SetPath(panel, list, reinterpret_cast<const char16_t*>(argv[2]));
  nrv::RepaintPanel(panel, list);

  std::vector<double> switches, rereads;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    nrv::StepTab(panel, list, 1);
    // The switch reads on a worker: the list is painted once it is swapped in.
    if (nrv::IsReading(panel)) {
      nrv::FinishReadWithin(panel, list, std::chrono::seconds(60));
      nrv::RedrawMovedPanel(panel, list);
    }
    switches.push_back(Milliseconds(start));
    start = Clock::now();
    nrv::RunPanelAction(panel, list, nrv::PanelKey::Reload);
    rereads.push_back(Milliseconds(start));
  }
  const nrv::PanelTabs& tabs = nrv::TabsOf(nrv::kLeftPanel);
  const nrv::PanelTab& inactive = tabs.tabs[static_cast<size_t>(1 - tabs.current)];
  const size_t items = list.items.size();
  nrv::StopShell();
  const double switchMs = nrv::bench::Median(switches), rereadMs = nrv::bench::Median(rereads);
  std::printf("tab switch to painted list: %zu items %.1f ms; re-read of the same folder %.1f ms; ratio %.2f "
              "(goal <= 1.10)\n",
              items, switchMs, rereadMs, switchMs / rereadMs);
  std::printf("inactive tab: %zu bytes plus its path (%zu characters); goal <= 1024\n", InactiveTabBytes(inactive),
              inactive.path.size());
  return 0;
}
