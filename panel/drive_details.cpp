#include "panel/drive_details.h"

#include "core/drive_table.h"
#include "core/listing.h"
#include "core/masks.h"

namespace nrv {
namespace {

bool AnyPending(const DriveTable& table) {
  for (const DriveInfo& row : table.rows)
    if (row.detailsPending) return true;
  return false;
}

void StartQuery(PanelContext& context) {
  DriveQuery& query = context.driveQuery;
  if (IsStarted(query.worker)) return;  // its end starts the next one
  auto exchange = std::make_shared<DriveQueryExchange>();
  for (const DriveInfo& row : context.drives.rows)
    if (row.detailsPending) exchange->rows.push_back(row);
  query.exchange = exchange;
  PanelContext* target = &context;
  StartWorker(query.worker, [exchange, target](const StopFlag& stop) {
    std::vector<DriveInfo> rows;
    {
      std::lock_guard<std::mutex> hold(exchange->lock);
      rows = exchange->rows;
    }
    for (DriveInfo& row : rows) {
      if (stop.requested.load()) return;
      QueryDriveDetails(row);
    }
    {
      std::lock_guard<std::mutex> hold(exchange->lock);
      exchange->rows = std::move(rows);
      exchange->done = true;
    }
    if (!stop.requested.load()) target->reads.drivesRead(*target);
  });
}

void TakeInto(Panel& panel, const DriveInfo& row) {
  if (!EqualsAtoZ(RootOfPath(panel.path), row.root)) return;
  panel.drive.totalBytes = row.totalBytes;
  panel.drive.freeBytes = row.freeBytes;
  if (ShowsFreeSpace(panel)) panel.freeBytes = static_cast<int64_t>(row.freeBytes);
}

}  // namespace

int RebuildDrives(PanelContext& context) {
  const bool deferSlow = context.reads.drivesRead != nullptr;
  const int status = BuildDriveTable(context.drives, deferSlow);
  if (deferSlow && AnyPending(context.drives)) StartQuery(context);
  return status;
}

bool TakeDriveDetails(PanelContext& context, Panel& left, Panel& right) {
  DriveQuery& query = context.driveQuery;
  if (!query.exchange) return false;
  {
    std::lock_guard<std::mutex> hold(query.exchange->lock);
    if (!query.exchange->done) return false;
  }
  JoinWorker(query.worker);
  query.worker = Worker{};
  const std::shared_ptr<DriveQueryExchange> exchange = std::move(query.exchange);
  for (const DriveInfo& read : exchange->rows) {
    for (DriveInfo& row : context.drives.rows)
      if (row.root == read.root && row.detailsPending) row = read;
    TakeInto(left, read);
    TakeInto(right, read);
  }
  // Rows a newer table added while this worker ran.
  if (AnyPending(context.drives)) StartQuery(context);
  return true;
}

void StopDriveDetails(PanelContext& context) {
  StopAndJoin(context.driveQuery.worker);
  context.driveQuery.exchange.reset();
}

}  // namespace nrv
