#include "panel/panel_reader.h"

#include "core/listing.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "panel/watcher.h"
#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

struct ReadJob {
  std::shared_ptr<ReadExchange> exchange;
  Text path;
  int32_t sortMode = kSortName;
  std::function<void(ReadExchange&, const StopFlag&)> location;
  PanelContext* context = nullptr;
  int side = 0;
  uint64_t generation = 0;
  size_t expected = 0;  // a re-read: about as many entries as the list shown
};

void RunLocationJob(const ReadJob& job, const StopFlag& stop) {
  job.location(*job.exchange, stop);
  {
    std::lock_guard<std::mutex> hold(job.exchange->lock);
    job.exchange->done = true;
  }
  job.exchange->finished.notify_all();
  if (!stop.requested.load()) job.context->reads.ended(*job.context, job.side, job.generation);
}

void RunReadJob(const ReadJob& job, const StopFlag& stop) {
  if (job.location) return RunLocationJob(job, stop);
  ItemList items;
  const int status =
      ListFolderItems(JoinPath(job.path, u"*.*"), job.sortMode, items, &stop, &job.exchange->count, job.expected);
  Text errorText;
  if (status < 0) errorText = LastErrorReportText(u"Error find first file in \"" + job.path + u"\"");
  {
    std::lock_guard<std::mutex> hold(job.exchange->lock);
    job.exchange->status = status;
    job.exchange->errorText = std::move(errorText);
    job.exchange->items = std::move(items);
    job.exchange->done = true;
  }
  job.exchange->finished.notify_all();
  if (status != kListingStopped && !stop.requested.load()) job.context->reads.ended(*job.context, job.side, job.generation);
}

// A move to the location the panel now holds.
ReadRequest NewLocationRequest(const Panel& panel, TextView cursorName) {
  ReadRequest request;
  request.kind = ReadKind::NewLocation;
  request.path = panel.path;
  request.sortMode = panel.sortMode;
  request.target = SaveLocation(panel);
  request.cursorName = Text(cursorName);
  return request;
}

}  // namespace

bool ReadsInBackground(const Panel& panel) {
  return !panel.readAtOnce && panel.context && panel.context->reads.ended;
}

void StartRead(Panel& panel, ReadRequest request) {
  PanelReading& reading = ReadingOf(panel);
  const uint64_t generation = TakeRequest(reading, std::move(request));
  ReadJob job{reading.exchange,  reading.request.path, reading.request.sortMode, reading.request.location.run,
              panel.context, panel.side,           generation};
  if (reading.request.kind == ReadKind::Reread && !reading.request.location.run)
    job.expected = static_cast<size_t>(panel.fileCount) + static_cast<size_t>(panel.folderCount) + 1;
  auto stop = std::make_shared<StopFlag>();
  std::function<void()> body = [job, stop] { RunReadJob(job, *stop); };
  if (!GiveJob(reading.reader, body) && !StartWorker(reading.worker, [body](const StopFlag&) { body(); })) {
    DropRead(reading);
    return;
  }
  reading.stop = std::move(stop);
  if (panel.context->reads.started) panel.context->reads.started(*panel.context, panel.side);
}

int ReadNewLocation(Panel& panel, ItemList& list, const PanelLocation& before, TextView cursorName) {
  if (!ReadsInBackground(panel)) {
    // A read still in flight would otherwise swap its older location in over this one.
    if (panel.reading) DropRead(*panel.reading);
    if (ListLocalFolder(panel, list) != 0) return -1;
    ArrangeNewLocation(panel, list, cursorName);
    ComputeTotals(list, panel);
    return 0;
  }
  ReadRequest request = NewLocationRequest(panel, cursorName);
  // Watched from before the read, so that no change during a long listing is missed.
  WatchFromNow(panel);
  RestoreLocation(panel, before);
  // The shown items' names are relative to the process's folder (icons, owner, type names):
  // until the new list is in, that stays the shown one's.
  platform::SetCurrentFolder(panel.path);
  RecountSelection(list, panel);
  StartRead(panel, std::move(request));
  return 0;
}

void ReadOtherLocation(Panel& panel, const PanelLocation& before, TextView cursorName, LocationRead read) {
  ReadRequest request = NewLocationRequest(panel, cursorName);
  request.location = std::move(read);
  RestoreLocation(panel, before);
  StartRead(panel, std::move(request));
}

void RereadLocation(Panel& panel, LocationRead read, bool keepSelection) {
  ReadRequest request;
  request.keepSelection = keepSelection;
  request.path = panel.path;
  request.sortMode = panel.sortMode;
  request.location = std::move(read);
  StartRead(panel, std::move(request));
}

void RereadInBackground(Panel& panel) {
  if (IsReading(panel)) {
    panel.reading->again = true;
    return;
  }
  WatchFromNow(panel);
  ReadRequest request;
  request.path = panel.path;
  request.sortMode = panel.sortMode;
  StartRead(panel, std::move(request));
}

ReadEnd FinishRead(Panel& panel, ItemList& list, uint64_t generation) {
  if (!panel.reading) return {};
  PanelReading& reading = *panel.reading;
  JoinEndedWorkers(reading);
  if (!reading.pending || reading.generation != generation) return {};
  const std::shared_ptr<ReadExchange> exchange = reading.exchange;
  {
    std::lock_guard<std::mutex> hold(exchange->lock);
    if (!exchange->done) return {};
  }
  JoinWorker(reading.worker);
  reading.worker = Worker{};
  reading.stop.reset();
  const ReadRequest request = std::move(reading.request);
  const bool again = reading.again;
  reading.pending = false;
  reading.shown = false;
  reading.again = false;
  reading.exchange.reset();
  ReadEnd end{ReadEnd::What::Swapped, request.kind};
  const bool otherLocation = static_cast<bool>(request.location.run);
  if (exchange->status != 0) {
    if (exchange->adopt) exchange->adopt(panel, false);
    // The watcher was moved to the folder that failed: it goes back to the panel's.
    if (request.kind == ReadKind::NewLocation) WatchFromNow(panel);
    // A location that fails without a word (an archive with nothing inside) shows nothing.
    if (!exchange->errorText.empty()) platform::ShowMessage(ErrorReportRequest(exchange->errorText));
    end.what = ReadEnd::What::Failed;
    return end;
  }
  if (request.kind == ReadKind::NewLocation)
    SwapInNewLocation(panel, list, exchange->items, request);
  else
    SwapInReread(panel, list, exchange->items, request.keepSelection);
  if (exchange->adopt) exchange->adopt(panel, true);
  // Leaving a local folder for another kind of location ends its watching only now.
  if (otherLocation && request.kind == ReadKind::NewLocation) WatchFromNow(panel);
  // The listing always left the process in the folder it read; commands still expect it.
  platform::SetCurrentFolder(panel.path);
  if (!exchange->noticeText.empty()) platform::ShowMessage(ErrorReportRequest(exchange->noticeText));
  if (again) RereadInBackground(panel);
  return end;
}

bool FinishReadWithin(Panel& panel, ItemList& list, std::chrono::milliseconds limit) {
  if (!IsReading(panel)) return true;
  const std::shared_ptr<ReadExchange> exchange = panel.reading->exchange;
  {
    std::unique_lock<std::mutex> hold(exchange->lock);
    if (!exchange->finished.wait_for(hold, limit, [&] { return exchange->done; })) return false;
  }
  FinishRead(panel, list, panel.reading->generation);
  return true;
}

bool CancelRead(Panel& panel) {
  if (!IsReading(panel)) return false;
  const bool newLocation = panel.reading->request.kind == ReadKind::NewLocation;
  DropRead(*panel.reading);
  if (newLocation) {
    platform::SetCurrentFolder(panel.path);
    WatchFromNow(panel);
  }
  return true;
}

void StopReads(Panel& panel) {
  if (!panel.reading) return;
  DropRead(*panel.reading);
  for (Worker& worker : panel.reading->retired) StopAndJoin(worker);
  StopStanding(panel.reading->reader);
  panel.reading->retired.clear();
  panel.reading->retiredExchanges.clear();
}

}  // namespace nrv
