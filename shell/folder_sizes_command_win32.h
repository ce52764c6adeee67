#pragma once
// Calculate folder sizes: the folders of the active panel measured on a worker of their own, each
// size shown as soon as it is known.
#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

#include "core/folder_sizes.h"
#include "platform/worker.h"

namespace nrv {

inline constexpr UINT kFolderSizesMessage = WM_APP + 51;  // to the main window: sizes are queued

struct MeasuredFolder {
  Text name;
  FolderSize size;
};

// The worker's job: the absolute folder, the names to measure, and which listing of which panel
// the sizes belong to (a re-read makes them belong to nothing).
struct FolderSizesJob {
  int side = 0;
  uint32_t listing = 0;
  Text folder;
  std::vector<Text> names;
  HWND target = nullptr;

  std::mutex lock;
  std::vector<MeasuredFolder> measured;  // not yet taken by the user-interface thread
  bool finished = false;
};

struct FolderSizesSession {
  Worker worker;
  std::shared_ptr<FolderSizesJob> job;
  int32_t unreadable = 0;
};

void FolderSizesCommand(FolderSizesSession& session, Panel& panel, ItemList& list);
// Escape: the folders measured so far keep their sizes.
void StopFolderSizes(FolderSizesSession& session);
// Alt+Shift+Enter and the menu: on the active panel.
void RunFolderSizes();
// kFolderSizesMessage.
void OnFolderSizesPosted(FolderSizesSession& session);

}  // namespace nrv
