#include "ftp/ftp_jobs.h"

namespace nrv {
namespace {

FtpJob JobOf(const PanelItem& item, TextView folder, bool remoteSource) {
  FtpJob job;
  job.name = Text(ItemName(item));
  job.path = remoteSource ? RemoteJoin(folder, job.name) : LocalJoin(folder, job.name);
  job.attributes = item.attributes;
  job.size = item.size;
  return job;
}

}  // namespace

Text RemoteJoin(TextView folder, TextView name) {
  Text path(folder);
  if (path.empty() || path.back() != u'/') path += u'/';
  return path + Text(name);
}

Text LocalJoin(TextView folder, TextView name) {
  Text path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path + Text(name);
}

Text RemoteParent(TextView folder) {
  while (folder.size() > 1 && folder.back() == u'/') folder.remove_suffix(1);
  const size_t slash = folder.rfind(u'/');
  if (slash == TextView::npos || slash == 0) return u"/";
  return Text(folder.substr(0, slash));
}

Text RemoteRestoreFolder(TextView current, TextView target) {
  if (target.empty()) return u"/";
  if (target.front() == u'/') return Text(target);
  // A server that answered with a relative folder is taken from its root.
  if (current.empty() || current.front() != u'/') return RemoteJoin(u"/" + Text(current), target);
  return RemoteJoin(current, target);
}

std::vector<FtpJob> BuildJobs(const Panel& panel, const ItemList& list, bool remoteSource) {
  std::vector<FtpJob> jobs;
  if (IsEmpty(list)) return jobs;
  const TextView folder = remoteSource ? TextView(panel.ftpCurrentDir) : TextView(panel.path);
  if (panel.selectedFiles + panel.selectedFolders == 0) {
    const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
    const PanelItem& item = At(list, index);
    if (!IsDotName(ItemName(item))) jobs.push_back(JobOf(item, folder, remoteSource));
    return jobs;
  }
  for (const PanelItem* item : list.items)
    if (item->selected && !IsDotName(ItemName(*item))) jobs.push_back(JobOf(*item, folder, remoteSource));
  return jobs;
}

int64_t TransferTotal(const std::vector<FtpJob>& jobs) {
  int64_t total = 0;
  for (const FtpJob& job : jobs)
    if (job.size > 0) total += job.size;
  return total > 0 ? total : 1;
}

}  // namespace nrv
