// How a list read on a worker takes the shown list's place: cursor and selection follow their
// names on a re-read, a new location brings its own cursor, a cancelled read leaves the panel
// as it was, and a newer request always wins over an older one. Real threads and real folders;
// the window's thread is the test's.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "core/listing.h"
#include "core/panel_context.h"
#include "core/panel_read.h"
#include "panel/panel_reader.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

// What the application's window would be posted: the ends of reads, in order.
struct PostedEnds {
  std::mutex lock;
  std::condition_variable posted;
  std::deque<uint64_t> generations;
};
PostedEnds& Posted() {
  static PostedEnds ends;
  return ends;
}
void RecordEnd(PanelContext&, int, uint64_t generation) {
  {
    std::lock_guard<std::mutex> hold(Posted().lock);
    Posted().generations.push_back(generation);
  }
  Posted().posted.notify_all();
}

uint64_t NextEnd() {
  std::unique_lock<std::mutex> hold(Posted().lock);
  EXPECT_TRUE(Posted().posted.wait_for(hold, std::chrono::seconds(10), [] { return !Posted().generations.empty(); }));
  if (Posted().generations.empty()) return ~uint64_t{0};
  const uint64_t generation = Posted().generations.front();
  Posted().generations.pop_front();
  return generation;
}

Text PathOf(const std::filesystem::path& path) { return path.u16string(); }

int IndexOf(const ItemList& list, TextView name) {
  for (int i = 0; i < Count(list); ++i)
    if (ItemName(At(list, i)) == name) return i;
  return -1;
}

void Select(ItemList& list, TextView name) { At(list, IndexOf(list, name)).selected = 1; }

std::vector<Text> SelectedNames(const ItemList& list) {
  std::vector<Text> names;
  for (const PanelItem* item : list.items)
    if (item->selected) names.emplace_back(ItemName(*item));
  return names;
}

class PanelRead : public ::testing::Test {
 protected:
  void SetUp() override {
    context.settings.PanelAutoUpdatePanels = 0;
    context.reads.ended = &RecordEnd;
    std::lock_guard<std::mutex> hold(Posted().lock);
    Posted().generations.clear();
    panel.context = &context;
    panel.sortMode = kSortName;
    for (const char* name : {"b.txt", "d.txt", "f.txt"}) folder.MakeFile(name, 3);
    folder.MakeFolder("sub");
    for (const char* name : {"one", "two"}) folder.MakeFile(std::filesystem::path("sub") / name);
    panel.path = PathOf(folder.Path());
    ASSERT_EQ(ReadFolder(panel, list), 0);
    ComputeTotals(list, panel);
  }
  void TearDown() override { StopReads(panel); }

  // The end the worker posts, handed to the panel as the window's thread would.
  ReadEnd Deliver() { return FinishRead(panel, list, NextEnd()); }

  PanelContext context;
  Panel panel;
  ItemList list;
  test::TempFolder folder;
};

TEST_F(PanelRead, RereadKeepsCursorAndSelectionOnTheirNames) {
  panel.cursor = IndexOf(list, u"d.txt");
  panel.top = 1;
  Select(list, u"f.txt");
  Select(list, u"b.txt");
  ComputeTotals(list, panel);
  // Names sorted in front of the cursor item and one selected item gone.
  for (const char* name : {"a1.txt", "a2.txt", "c.txt"}) folder.MakeFile(name);
  std::filesystem::remove(folder.Path() / "b.txt");
  RereadInBackground(panel);
  EXPECT_TRUE(IsReading(panel));
  EXPECT_EQ(Deliver().what, ReadEnd::What::Swapped);
  EXPECT_FALSE(IsReading(panel));
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"d.txt");
  EXPECT_EQ(panel.top, 1 + 2);  // the cursor keeps its row on screen
  EXPECT_EQ(SelectedNames(list), std::vector<Text>{u"f.txt"});
  EXPECT_EQ(panel.selectedFiles, 1);
  EXPECT_EQ(panel.fileCount, 5);

  // The cursor item gone: its place, clamped to the shorter list.
  panel.cursor = Count(list) - 1;
  const Text last(ItemName(At(list, panel.cursor)));
  std::filesystem::remove(folder.Path() / std::filesystem::path(std::u16string(last)));
  RereadInBackground(panel);
  Deliver();
  EXPECT_EQ(panel.cursor, Count(list) - 1);

  // On a page with room for every row nothing scrolls off the top.
  panel.capacity = 20;
  panel.top = 0;
  panel.cursor = IndexOf(list, u"d.txt");
  folder.MakeFile("a0.txt");
  RereadInBackground(panel);
  Deliver();
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"d.txt");
  EXPECT_EQ(panel.top, 0);
}

TEST_F(PanelRead, NewLocationShowsOnlyWhenSwappedInAndCancelKeepsThePreviousOne) {
  panel.cursor = IndexOf(list, u"sub");
  panel.top = 0;
  Select(list, u"d.txt");
  ComputeTotals(list, panel);
  const std::vector<Text> before = test::Names(list);
  const PanelLocation previous = SaveLocation(panel);

  // The move as navigation makes it: the panel takes the new location, then hands it over.
  panel.path = PathOf(folder.Path() / "sub");
  ResetView(panel);
  ASSERT_EQ(ReadNewLocation(panel, list, previous, {}), 0);
  EXPECT_TRUE(IsReading(panel));
  EXPECT_EQ(panel.path, previous.path);  // a copy from the other panel still lands here
  EXPECT_EQ(panel.cursor, previous.cursor);
  EXPECT_EQ(panel.selectedFiles, 1);

  const uint64_t cancelled = panel.reading->generation;
  ASSERT_TRUE(CancelRead(panel));
  EXPECT_FALSE(IsReading(panel));
  // The worker may have ended just before: its end is no longer the panel's.
  EXPECT_EQ(FinishRead(panel, list, cancelled).what, ReadEnd::What::Stale);
  EXPECT_EQ(test::Names(list), before);
  EXPECT_EQ(panel.path, previous.path);
  EXPECT_EQ(panel.cursor, previous.cursor);
  EXPECT_EQ(SelectedNames(list), std::vector<Text>{u"d.txt"});

  // Not cancelled: the new list and its cursor rules arrive together.
  panel.path = PathOf(folder.Path() / "sub");
  ResetView(panel);
  ReadNewLocation(panel, list, previous, {});
  ReadEnd end;
  while (IsReading(panel)) end = Deliver();  // a cancelled worker's end may come first
  EXPECT_EQ(end.what, ReadEnd::What::Swapped);
  EXPECT_EQ(end.kind, ReadKind::NewLocation);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"one", u"two"}));
  EXPECT_EQ(panel.path, PathOf(folder.Path() / "sub"));
  EXPECT_EQ(panel.cursor, 0);
  EXPECT_EQ(panel.selectedFiles, 0);

  // Back up: the cursor goes to the folder that was left.
  const PanelLocation inside = SaveLocation(panel);
  panel.path = PathOf(folder.Path());
  ReadNewLocation(panel, list, inside, u"sub");
  while (IsReading(panel)) Deliver();
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"sub");
}

TEST_F(PanelRead, NewerRequestReplacesAnOlderOne) {
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    folder.MakeFolder(std::string("sub/") + name);
    folder.MakeFile(std::string("sub/") + name + "/in-" + name);
  }
  const PanelLocation previous = SaveLocation(panel);
  std::vector<uint64_t> requests;
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    panel.path = PathOf(folder.Path() / "sub" / name);
    ReadNewLocation(panel, list, previous, {});
    requests.push_back(panel.reading->generation);
  }
  // Whatever order the workers end in, only the last request's list is shown.
  std::vector<ReadEnd::What> ends;
  for (int i = 0; i < 5 && IsReading(panel); ++i) ends.push_back(Deliver().what);
  EXPECT_FALSE(IsReading(panel));
  EXPECT_EQ(ends.back(), ReadEnd::What::Swapped);
  EXPECT_EQ(panel.path, PathOf(folder.Path() / "sub" / "e"));
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"in-e"}));
  // An older request's end handed over afterwards changes nothing.
  for (size_t i = 0; i + 1 < requests.size(); ++i)
    EXPECT_EQ(FinishRead(panel, list, requests[i]).what, ReadEnd::What::Stale);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"in-e"}));
}

TEST_F(PanelRead, ChangesDuringAReadAreFollowedByOneMoreRead) {
  RereadInBackground(panel);
  const uint64_t first = panel.reading->generation;
  // The burst arrives while the first read runs: no restart, one read after it.
  folder.MakeFile("late.txt");
  RereadInBackground(panel);
  RereadInBackground(panel);
  EXPECT_EQ(panel.reading->generation, first);
  EXPECT_EQ(Deliver().what, ReadEnd::What::Swapped);
  ASSERT_TRUE(IsReading(panel));
  Deliver();
  EXPECT_FALSE(IsReading(panel));
  EXPECT_GE(IndexOf(list, u"late.txt"), 0);
}

TEST_F(PanelRead, FailedReadReportsAndLeavesThePanel) {
  test::MessageCapture messages;
  const std::vector<Text> before = test::Names(list);
  const PanelLocation previous = SaveLocation(panel);
  panel.path = PathOf(folder.Path() / "gone");
  ReadNewLocation(panel, list, previous, {});
  EXPECT_EQ(Deliver().what, ReadEnd::What::Failed);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text.substr(0, 26), u"Error find first file in \"");
  EXPECT_EQ(panel.path, previous.path);
  EXPECT_EQ(test::Names(list), before);
}

// A location read that stays blocked after it was dropped, as a server that never answers the
// call being cut.
struct HeldRead {
  std::mutex lock;
  std::condition_variable changed;
  bool released = false;
  std::thread::id ranOn;

  LocationRead Read(std::vector<Text> names) {
    return {[this, names](ReadExchange& exchange, const StopFlag&) {
              std::unique_lock<std::mutex> hold(lock);
              ranOn = std::this_thread::get_id();
              changed.wait(hold, [&] { return released; });
              for (const Text& name : names) Append(exchange.items, NewItem(name));
            },
            {}};
  }
  void Release() {
    {
      std::lock_guard<std::mutex> hold(lock);
      released = true;
    }
    changed.notify_all();
  }
};

bool ReaderFreeWithin(PanelReading& reading, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    {
      std::lock_guard<std::mutex> hold(reading.reader.lock);
      if (!reading.reader.busy) return true;
    }
    std::this_thread::yield();
  }
  return false;
}

TEST_F(PanelRead, AReadBehindOneStillOnItsWayOutGetsItsOwnThreadAndThePanelsThreadServesTheNext) {
  HeldRead stuck;
  RereadLocation(panel, stuck.Read({u"never.txt"}));
  ASSERT_TRUE(IsReading(panel));
  ASSERT_TRUE(CancelRead(panel));
  // The panel's thread is still inside the dropped read: the next one must not wait for it.
  RereadInBackground(panel);
  EXPECT_EQ(Deliver().what, ReadEnd::What::Swapped);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"sub", u"b.txt", u"d.txt", u"f.txt"}));

  const std::thread::id panelThread = [&] {
    std::lock_guard<std::mutex> hold(stuck.lock);
    return stuck.ranOn;
  }();
  stuck.Release();
  ASSERT_TRUE(ReaderFreeWithin(*panel.reading, std::chrono::seconds(10)));
  // The dropped read's end never reaches the panel; the next read runs on the same thread.
  HeldRead next;
  next.Release();
  RereadLocation(panel, next.Read({u"..", u"x.txt"}));
  EXPECT_EQ(Deliver().what, ReadEnd::What::Swapped);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"x.txt"}));
  EXPECT_EQ(next.ranOn, panelThread);
}

TEST(ReadingTitle, CountsWhatWasRead) { EXPECT_EQ(ReadingTitle(12345), u"Reading\u2026 12345"); }

}  // namespace
}  // namespace nrv
