#include "core/panel_read.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "core/listing.h"
#include "core/masks.h"

namespace nrv {
namespace {

void ClampCursor(Panel& panel, const ItemList& list) {
  if (panel.cursor >= Count(list)) panel.cursor = Count(list) - 1;
  if (panel.cursor < 0) panel.cursor = 0;
}

void TakeItems(ItemList& shown, ItemList& fresh) {
  ClearItems(shown);
  shown.items = std::move(fresh.items);
  fresh.items.clear();
}

}  // namespace

PanelLocation SaveLocation(const Panel& panel) {
  PanelLocation location;
  location.path = panel.path;
  location.driveType = panel.drive.type;
  location.driveTotalBytes = panel.drive.totalBytes;
  location.driveFreeBytes = panel.drive.freeBytes;
  location.ftp = panel.ftp;
  location.temporary = panel.temporary;
  location.archiveOpen = panel.archiveOpen;
  location.archiveFormat = panel.archiveFormat;
  location.archiveFolder = panel.archiveFolder;
  location.ftpCurrentDir = panel.ftpCurrentDir;
  location.ftpTargetDir = panel.ftpTargetDir;
  location.cursor = panel.cursor;
  location.top = panel.top;
  location.returnTop = panel.returnTop;
  return location;
}

void RestoreLocation(Panel& panel, const PanelLocation& location) {
  panel.path = location.path;
  panel.drive.type = location.driveType;
  panel.drive.totalBytes = location.driveTotalBytes;
  panel.drive.freeBytes = location.driveFreeBytes;
  panel.ftp = location.ftp;
  panel.temporary = location.temporary;
  panel.archiveOpen = location.archiveOpen;
  panel.archiveFormat = location.archiveFormat;
  panel.archiveFolder = location.archiveFolder;
  panel.ftpCurrentDir = location.ftpCurrentDir;
  panel.ftpTargetDir = location.ftpTargetDir;
  panel.cursor = location.cursor;
  panel.top = location.top;
  panel.returnTop = location.returnTop;
}

PanelReading& ReadingOf(Panel& panel) {
  if (!panel.reading) panel.reading = std::make_shared<PanelReading>();
  return *panel.reading;
}

bool IsReading(const Panel& panel) { return panel.reading && panel.reading->pending; }
bool ReadingShown(const Panel& panel) { return IsReading(panel) && panel.reading->shown; }

int32_t ReadCount(const Panel& panel) {
  if (!IsReading(panel) || !panel.reading->exchange) return 0;
  return panel.reading->exchange->count.load(std::memory_order_relaxed);
}

void DropRead(PanelReading& reading) {
  if (reading.stop) {
    reading.stop->requested = true;
    if (reading.request.location.cut) reading.request.location.cut();
    reading.request.location = {};
    if (IsStarted(reading.worker)) {
      reading.retired.push_back(std::move(reading.worker));
      reading.retiredExchanges.push_back(reading.exchange);
    }
  }
  reading.stop.reset();
  reading.worker = Worker{};
  reading.exchange.reset();
  reading.pending = false;
  reading.shown = false;
  reading.again = false;
  ++reading.generation;
}

uint64_t TakeRequest(PanelReading& reading, ReadRequest request) {
  DropRead(reading);
  JoinEndedWorkers(reading);
  reading.request = std::move(request);
  reading.exchange = std::make_shared<ReadExchange>();
  reading.pending = true;
  return reading.generation;
}

void JoinEndedWorkers(PanelReading& reading) {
  auto worker = reading.retired.begin();
  auto exchange = reading.retiredExchanges.begin();
  while (worker != reading.retired.end()) {
    bool ended = true;
    if (*exchange) {
      std::lock_guard<std::mutex> hold((*exchange)->lock);
      ended = (*exchange)->done;
    }
    if (!ended) {
      ++worker;
      ++exchange;
      continue;
    }
    JoinWorker(*worker);
    worker = reading.retired.erase(worker);
    exchange = reading.retiredExchanges.erase(exchange);
  }
}

Text ReadingTitle(int32_t count) {
  const std::string digits = std::to_string(count);
  return u"Reading\u2026 " + Text(digits.begin(), digits.end());
}

void SwapInReread(Panel& panel, ItemList& shown, ItemList& fresh, bool keepSelection) {
  Text cursorName;
  if (panel.cursor >= 0 && panel.cursor < Count(shown)) cursorName = Text(ItemName(At(shown, panel.cursor)));
  // A burst of re-reads of a large folder mostly has nothing selected: no set to build then.
  std::unordered_set<Text> selected;
  if (keepSelection)
    for (const PanelItem* item : shown.items)
      if (item->selected) selected.emplace(ItemName(*item));
  const int32_t oldCursor = panel.cursor;
  TakeItems(shown, fresh);
  if (!selected.empty())
    for (PanelItem* item : shown.items)
      if (selected.count(Text(ItemName(*item)))) item->selected = 1;
  int found = -1;
  if (!cursorName.empty())
    for (int i = 0; i < Count(shown) && found < 0; ++i)
      if (ItemName(At(shown, i)) == cursorName) found = i;
  if (found >= 0) {
    panel.cursor = found;
    panel.top = std::max(0, panel.top + found - oldCursor);
  }
  ClampCursor(panel, shown);
  if (panel.top > panel.cursor) panel.top = panel.cursor;
  // Keeping the cursor's distance from the top never scrolls rows off a page that has room.
  if (panel.capacity > 0) panel.top = std::min(panel.top, std::max(0, Count(shown) - panel.capacity));
  ComputeTotals(shown, panel);
}

void ArrangeNewLocation(Panel& panel, const ItemList& list, TextView cursorName) {
  ResetView(panel);
  if (cursorName.empty()) {
    panel.top = 0;
    return;
  }
  for (int i = 0; i < Count(list); ++i) {
    if (EqualsAtoZ(ItemName(At(list, i)), cursorName)) {
      panel.cursor = i;
      panel.top = panel.returnTop;
      panel.returnTop = 0;
      return;
    }
  }
}

void SwapInNewLocation(Panel& panel, ItemList& shown, ItemList& fresh, const ReadRequest& request) {
  RestoreLocation(panel, request.target);
  TakeItems(shown, fresh);
  ArrangeNewLocation(panel, shown, request.cursorName);
  ComputeTotals(shown, panel);
}

}  // namespace nrv
