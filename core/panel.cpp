#include "core/panel.h"

#include "platform/private_folder.h"

namespace nrv {

LocationKind KindOf(const Panel& panel) {
  if (panel.temporary) return LocationKind::Temporary;
  if (panel.archiveOpen) return LocationKind::Archive;
  if (panel.ftp) return LocationKind::Ftp;
  return LocationKind::Local;
}

void ResetView(Panel& panel) {
  panel.cursor = 0;
  panel.top = 0;
  panel.columns = 0;
  panel.rowsPerColumn = 0;
  panel.visibleCount = 0;
  panel.capacity = 0;
  panel.itemCount = 0;
  panel.rightDragActive = 0;
  panel.rightDragDeselects = 1;
  // The selection counts belong to the list: a location that fails to list keeps both.
}

void ForgetArchive(Panel& panel) {
  panel.archiveOpen = 0;
  panel.archiveFormat = 0;
  panel.archiveFolder.clear();
  panel.archiveTempFile.clear();
  if (!panel.archiveWorkPath.empty()) platform::RemovePrivateCopy(panel.archiveWorkPath);
  panel.archiveWorkPath.clear();
}

}  // namespace nrv
