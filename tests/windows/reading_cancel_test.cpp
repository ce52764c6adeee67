// Cancelling a panel's read on a worker at any moment, against Wine's file system: whatever the
// worker had read, the shown list, cursor, selection, page and location stay exactly as they
// were, and the cancelled worker's end never reaches the panel.
#include <gtest/gtest.h>
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <random>

#include "core/listing.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "panel/panel_reader.h"
#include "support/item_names.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

std::mutex gLock;
std::deque<uint64_t> gEnds;

void RecordEnd(PanelContext&, int, uint64_t generation) {
  std::lock_guard<std::mutex> hold(gLock);
  gEnds.push_back(generation);
}

std::deque<uint64_t> TakeEnds() {
  std::lock_guard<std::mutex> hold(gLock);
  return std::exchange(gEnds, {});
}

struct Shown {
  std::vector<Text> names;
  std::vector<int> selected;
  Text path;
  int32_t cursor = 0;
  int32_t top = 0;
  int32_t selectedFiles = 0;
};

Shown Snapshot(const Panel& panel, const ItemList& list) {
  Shown shown{test::Names(list), {}, panel.path, panel.cursor, panel.top, panel.selectedFiles};
  for (int i = 0; i < Count(list); ++i)
    if (At(list, i).selected) shown.selected.push_back(i);
  return shown;
}

void ExpectSame(const Shown& a, const Shown& b, int round) {
  EXPECT_EQ(a.names, b.names) << "round " << round;
  EXPECT_EQ(a.selected, b.selected) << "round " << round;
  EXPECT_EQ(a.path, b.path) << "round " << round;
  EXPECT_EQ(a.cursor, b.cursor) << "round " << round;
  EXPECT_EQ(a.top, b.top) << "round " << round;
  EXPECT_EQ(a.selectedFiles, b.selectedFiles) << "round " << round;
}

TEST(WineReadCancel, CancelAtRandomPointsLeavesTheShownListUntouched) {
  test::TempFolder folder;
  const auto here = folder.MakeFolder("here");
  const auto there = folder.MakeFolder("there");
  for (int i = 0; i < 1500; ++i) {
    const std::wstring name = L"file" + std::to_wstring(i);
    ::CloseHandle(::CreateFileW((here / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ::CloseHandle(::CreateFileW((there / (L"x" + name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  PanelContext context;
  context.settings.PanelAutoUpdatePanels = 0;
  context.reads.ended = &RecordEnd;
  Panel panel;
  panel.context = &context;
  panel.path = here.u16string();
  ItemList list;
  ASSERT_EQ(ReadFolder(panel, list), 0);
  for (int i = 5; i < Count(list); i += 97) At(list, i).selected = 1;
  panel.cursor = 1234;
  panel.top = 1200;
  ComputeTotals(list, panel);
  const Shown before = Snapshot(panel, list);
  // A here-folder with an extra file makes a re-read differ from the shown list.
  ::CloseHandle(::CreateFileW((here / L"aaa-new").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));

  std::mt19937 random(20261207);
  int cancelledUnderway = 0;
  for (int round = 0; round < 60; ++round) {
    if (round % 2) {
      RereadInBackground(panel);
    } else {
      const PanelLocation previous = SaveLocation(panel);
      panel.path = there.u16string();
      ResetView(panel);
      ReadNewLocation(panel, list, previous, {});
    }
    const uint64_t generation = panel.reading->generation;
    // From at once to past the end of a read of 1500 names.
    ::Sleep(std::uniform_int_distribution<DWORD>(0, 20)(random));
    {
      ReadExchange& exchange = *panel.reading->exchange;
      std::lock_guard<std::mutex> hold(exchange.lock);
      if (!exchange.done && exchange.count.load() > 0) ++cancelledUnderway;
    }
    ASSERT_TRUE(CancelRead(panel));
    ExpectSame(before, Snapshot(panel, list), round);
    // Its end, whether posted or not, belongs to no one.
    EXPECT_EQ(FinishRead(panel, list, generation).what, ReadEnd::What::Stale);
    for (const uint64_t posted : TakeEnds()) EXPECT_EQ(FinishRead(panel, list, posted).what, ReadEnd::What::Stale);
    ExpectSame(before, Snapshot(panel, list), round);
  }
  // Some cancels came in the middle of a listing, not only before or after it.
  EXPECT_GT(cancelledUnderway, 0);
  StopReads(panel);
  EXPECT_TRUE(panel.reading->retired.empty());
}

}  // namespace
}  // namespace nrv
