#pragma once
// Reading a panel's contents on a worker: the panel shows its old list until the new one is
// complete and swapped in on the window's thread. A panel of no application (tools, tests
// without a window) reads at once, as the listing always did.
#include <chrono>

#include "core/item_list.h"
#include "core/panel.h"
#include "core/panel_read.h"

namespace nrv {

// Whether the panel's reads run on a worker: its application listens for their end.
bool ReadsInBackground(const Panel& panel);

// For a move whose next step needs the new list at once (open an archive that is an item of
// the folder read, drop files into it): while it lives, the panel's reads do not go to a worker.
struct ReadAtOnce {
  Panel& panel;
  explicit ReadAtOnce(Panel& p) : panel(p) { panel.readAtOnce = true; }
  ~ReadAtOnce() { panel.readAtOnce = false; }
  ReadAtOnce(const ReadAtOnce&) = delete;
  ReadAtOnce& operator=(const ReadAtOnce&) = delete;
};

// Starts the request's worker; any read in flight for the panel is dropped.
void StartRead(Panel& panel, ReadRequest request);

// A move to the location the panel now holds, where before is the one it left. On a worker the
// panel goes back to before until the new list arrives (a copy from the other panel still
// lands there); at once the folder is listed and the cursor placed on cursorName. 0, or -1 when
// a read at once failed (reported).
int ReadNewLocation(Panel& panel, ItemList& list, const PanelLocation& before, TextView cursorName);

// A move to a location of another kind (an FTP folder, an archive) on a worker, its subsystem
// giving the read; as ReadNewLocation otherwise. The caller reads at once itself when the panel
// does not read in the background.
void ReadOtherLocation(Panel& panel, const PanelLocation& before, TextView cursorName, LocationRead read);
// A re-read of such a location on a worker: the cursor follows its item's name, and so does the
// selection unless keepSelection is false.
void RereadLocation(Panel& panel, LocationRead read, bool keepSelection = true);

// A re-read of the panel's local folder on a worker. One already in flight is not restarted:
// it is followed by one more, so a burst of changes ends with all of them and never starves.
void RereadInBackground(Panel& panel);

struct ReadEnd {
  enum class What { Stale, Swapped, Failed } what = What::Stale;
  ReadKind kind = ReadKind::Reread;
};
// The worker's end, on the window's thread: the new list is swapped in when it is still the
// panel's latest request. A failure shows the listing's message and leaves the panel as it was.
ReadEnd FinishRead(Panel& panel, ItemList& list, uint64_t generation);

// Waits up to limit for the read in flight to end and swaps it in: the first read of a run,
// before the window shows. False when it is still running.
bool FinishReadWithin(Panel& panel, ItemList& list, std::chrono::milliseconds limit);

// Escape: the read stops and the panel stays where it was, with cursor, selection and page.
// False when nothing was being read.
bool CancelRead(Panel& panel);

// At exit: every reading worker of the panel is stopped and joined.
void StopReads(Panel& panel);

}  // namespace nrv
