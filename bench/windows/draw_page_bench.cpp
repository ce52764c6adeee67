// Drawing one page of a panel costs the same whatever the list holds: times RepaintPanel and
// a page-down redraw for a folder of few items and one of very many, in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/listing.h"
#include "panel/panel_paint.h"
#include "panel/shell_calls.h"
#include "shell/cursor_movement.h"
#include "shell/application.h"
#include "shell/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct PageCost {
  size_t items = 0;
  double repaint = 0;
  double pageDown = 0;
};

PageCost Measure(const wchar_t* folder, int rounds) {
  nrv::Panel& panel = nrv::PanelOf(nrv::kLeftPanel);
  nrv::ItemList& list = nrv::ItemsOf(nrv::kLeftPanel);
  panel.path = reinterpret_cast<const char16_t*>(folder);
  nrv::ReadFolder(panel, list);
  nrv::ComputeTotals(list, panel);
  nrv::ResetView(panel);
  nrv::RepaintPanel(panel, list);  // lays out; icons of the first page load here
  std::vector<double> repaint, pageDown;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    nrv::RepaintPanel(panel, list);
    repaint.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    start = Clock::now();
    nrv::PageDown(panel, list);
    nrv::DrawItems(list, panel);
    pageDown.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (panel.cursor >= nrv::Count(list) - 1) nrv::CursorHome(panel, list);
  }
  return {list.items.size(), Median(repaint), Median(pageDown)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: draw_page_bench SMALL_FOLDER LARGE_FOLDER [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 40;
  ::SetCurrentDirectoryW(argv[1]);
  if (nrv::StartShell(::GetModuleHandleW(nullptr)) != 0) return 1;
  nrv::ReleaseShellCalls();  // no message loop runs here to let them through
  const PageCost small = Measure(argv[1], rounds);
  const PageCost large = Measure(argv[2], rounds);
  nrv::StopShell();
  std::printf("full repaint: %zu items %.0f us, %zu items %.0f us, ratio %.2f\n", small.items,
              small.repaint, large.items, large.repaint, large.repaint / small.repaint);
  std::printf("page down + draw: %zu items %.0f us, %zu items %.0f us, ratio %.2f\n", small.items,
              small.pageDown, large.items, large.pageDown, large.pageDown / small.pageDown);
  return 0;
}
