#pragma once
// What both panels share for the whole run: the settings, the temporary panel's kept items and
// the drive rows. The application owns the one context; each Panel points at it.
#include <atomic>
#include <cstdint>

#include "core/drive_table.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "core/settings.h"

namespace nrv {

// How listed local folders are watched; none on the host. start runs before the folder is
// read, so that no change during a long listing is missed.
struct WatchHooks {
  void (*start)(Panel& panel) = nullptr;
};

// How the panels' reads reach the window's thread; none on the host and in tools, where a
// read happens at once. ended runs on the reading worker, started on the window's thread.
struct ReadHooks {
  void (*ended)(PanelContext& context, int side, uint64_t generation) = nullptr;
  void (*started)(PanelContext& context, int side) = nullptr;
  // On the drive worker: the slow drives' details are in.
  void (*drivesRead)(PanelContext& context) = nullptr;
};

struct PanelContext {
  Settings settings;
  ItemList temporaryStore;
  DriveTable drives;
  DriveQuery driveQuery;
  WatchHooks watch;
  ReadHooks reads;
  // Where workers ask for re-reads: a window of the user interface, and the sides asked for
  // since it last looked (bit 1 left, bit 2 right), so that a burst of requests is one re-read.
  NativeWindow updateTarget = nullptr;
  std::atomic<uint32_t> pendingUpdates{0};
  // File-operation workers still inside the shell call; the quit question refuses while any are.
  std::atomic<int32_t> runningFileOperations{0};
};

// Bits of pendingUpdates for UpdateFileLists' side (0 both, 1 left, 2 right).
inline uint32_t UpdateBits(int side) { return side == 0 ? 3u : static_cast<uint32_t>(side) & 3u; }

// The settings a panel works with: its context's, or the built-in defaults for a panel that
// belongs to no application (tools and tests).
const Settings& SettingsOf(const Panel& panel);
// The temporary panel's kept items; only a panel with a context can be the temporary panel.
ItemList& TemporaryStoreOf(Panel& panel);

}  // namespace nrv
