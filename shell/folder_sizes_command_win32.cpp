#include "shell/folder_sizes_command_win32.h"

#include <unordered_map>

#include "core/paths.h"
#include "core/sorting.h"
#include "panel/panel_paint.h"
#include "platform/message_box.h"
#include "shell/application.h"

namespace nrv {
namespace {

// Posts only when the queue was empty: a burst of small folders is one redraw.
void Queue(FolderSizesJob& job, MeasuredFolder measured, bool finished) {
  bool post = false;
  {
    const std::lock_guard<std::mutex> hold(job.lock);
    post = job.measured.empty() || finished;
    if (!measured.name.empty()) job.measured.push_back(std::move(measured));
    job.finished = finished;
  }
  if (post) ::PostMessageW(job.target, kFolderSizesMessage, 0, 0);
}

void RunJob(FolderSizesJob& job, const StopFlag& stop) {
  for (const Text& name : job.names) {
    FolderSize size = MeasureFolder(JoinPath(job.folder, name), stop.requested);
    if (size.stopped) break;
    Queue(job, {name, size}, false);
  }
  Queue(job, {}, true);
}

void Apply(Panel& panel, ItemList& list, std::vector<MeasuredFolder>& measured, int32_t& unreadable) {
  std::unordered_map<Text, const FolderSize*> byName;
  for (const MeasuredFolder& folder : measured) byName.emplace(folder.name, &folder.size);
  for (PanelItem* item : list.items) {
    if (!IsFolder(*item) || IsUpEntry(*item)) continue;
    const auto found = byName.find(Text(ItemName(*item)));
    if (found == byName.end()) continue;
    if (found->second->opened) SetFolderSize(panel, *item, found->second->bytes);
    unreadable += found->second->unreadable;
  }
}

}  // namespace

void FolderSizesCommand(FolderSizesSession& session, Panel& panel, ItemList& list) {
  if (session.job || KindOf(panel) != LocationKind::Local) {
    ::MessageBeep(MB_OK);
    return;
  }
  auto job = std::make_shared<FolderSizesJob>();
  job->side = panel.side;
  job->listing = panel.listing;
  job->folder = panel.path;
  job->target = TheShellWindows().main;
  const bool selectedOnly = panel.selectedFiles + panel.selectedFolders > 0;
  for (const PanelItem* item : list.items)
    if (IsFolder(*item) && !IsUpEntry(*item) && (!selectedOnly || item->selected)) job->names.emplace_back(ItemName(*item));
  if (job->names.empty()) return;
  session.unreadable = 0;
  session.job = job;
  if (!StartWorker(session.worker, [job](const StopFlag& stop) { RunJob(*job, stop); })) session.job.reset();
}

void RunFolderSizes() {
  if (Panel* active = ActivePanel()) FolderSizesCommand(TheApplication().folderSizes, *active, ItemsOf(active->side));
}

void StopFolderSizes(FolderSizesSession& session) {
  if (session.job) RequestStop(session.worker);
}

void OnFolderSizesPosted(FolderSizesSession& session) {
  if (!session.job) return;
  FolderSizesJob& job = *session.job;
  std::vector<MeasuredFolder> measured;
  bool finished = false;
  {
    const std::lock_guard<std::mutex> hold(job.lock);
    measured.swap(job.measured);
    finished = job.finished;
  }
  Panel& panel = PanelOf(job.side);
  ItemList& list = ItemsOf(job.side);
  // A re-read since the start: the sizes belong to a listing that is gone.
  const bool current = panel.listing == job.listing;
  if (!current) RequestStop(session.worker);
  if (current && !measured.empty()) {
    Apply(panel, list, measured, session.unreadable);
    if (!finished) RepaintPanel(panel, list);
  }
  if (!finished) return;
  JoinWorker(session.worker);
  session.job.reset();
  if (!current) return;
  if (panel.sortMode == kSortSize) ResortKeepingCursor(panel, list);
  RepaintPanel(panel, list);
  if (session.unreadable > 0)
    platform::ShowMessage({TheShellWindows().main,
                           Text(u"Folders that could not be read were skipped: ") +
                               FromUtf8(std::to_string(session.unreadable)) + u".",
                           u"Calculate folder sizes", platform::MessageIcon::Warning, platform::MessageButtons::Ok});
}

}  // namespace nrv
