#pragma once
// A read of a panel's contents off the window's thread: the request its worker gets, what the
// worker and the window's thread share, and how the new list takes the old one's place. One
// list per panel is shown; at most one more is being read, and a newer request replaces it.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>

#include "core/item_list.h"
#include "core/panel.h"
#include "platform/worker.h"

namespace nrv {

// Where a panel is and where its cursor stands there: what a cancelled read leaves as it was,
// and what a swapped-in new location brings.
struct PanelLocation {
  Text path;
  uint32_t driveType = 0;
  uint64_t driveTotalBytes = 0;
  uint64_t driveFreeBytes = 0;
  int32_t ftp = 0;
  int32_t temporary = 0;
  int32_t archiveOpen = 0;
  int32_t archiveFormat = 0;
  Text archiveFolder;
  Text ftpCurrentDir;
  Text ftpTargetDir;
  int32_t cursor = 0;
  int32_t top = 0;
  int32_t returnTop = 0;
};

PanelLocation SaveLocation(const Panel& panel);
void RestoreLocation(Panel& panel, const PanelLocation& location);

struct ReadExchange;

// The read of a location that is not a local folder, given by the subsystem that owns it.
struct LocationRead {
  // On the worker: fills the exchange as a folder's read does (items, status, errorText), and
  // adopt with whatever else the location keeps.
  std::function<void(ReadExchange& exchange, const StopFlag& stop)> run;
  // On the window's thread when the read is dropped: ends a call that may block for long (by
  // closing its handle), so that the worker can be joined.
  std::function<void()> cut;
};

enum class ReadKind {
  Reread,       // the same folder again: cursor and selection follow their names
  NewLocation,  // another folder: the cursor rules of a move
};

struct ReadRequest {
  ReadKind kind = ReadKind::Reread;
  Text path;  // the absolute folder
  int32_t sortMode = kSortName;
  PanelLocation target;  // a new location: what the panel becomes with the new list
  Text cursorName;       // a new location: where the cursor goes (the folder left upwards)
  LocationRead location;  // empty: the local folder at path
  bool keepSelection = true;  // a re-read: the selection follows its names
};

// What a worker hands over; guarded by lock until done.
struct ReadExchange {
  std::atomic<int32_t> count{0};  // items read so far
  std::mutex lock;
  std::condition_variable finished;
  bool done = false;
  int status = 0;  // 0, or -2 when the folder could not be listed
  Text errorText;  // for -2: the message, made on the worker from its last error
  Text noticeText;  // shown after a swap: what the read refused or cut short
  ItemList items;
  // On the window's thread when the read's end is taken: after the swap, or before the message
  // of a failure. The location's state beyond the list (a connection handed back, the folder the
  // server named). Never run for a dropped read: what it holds goes with the exchange.
  std::function<void(Panel& panel, bool swapped)> adopt;
};

// The read a panel waits for.
struct PanelReading {
  // The panel's reading thread, for the run; a read gets a thread of its own (worker) only
  // while that one is still on its way out of a dropped read.
  StandingWorker reader;
  Worker worker;
  std::shared_ptr<StopFlag> stop;  // the read in flight's, whichever thread runs it
  std::shared_ptr<ReadExchange> exchange;
  uint64_t generation = 0;  // the latest request's number; the end of an older one is dropped
  bool pending = false;
  bool shown = false;  // slow: the title counts and the old contents are dimmed
  bool again = false;  // a change was reported meanwhile: one more re-read after this one
  ReadRequest request;
  // Cancelled workers still on their way out; joined once done, and all of them at the end.
  std::list<Worker> retired;
  std::list<std::shared_ptr<ReadExchange>> retiredExchanges;
};

// The panel's reading record, made on first use.
PanelReading& ReadingOf(Panel& panel);
bool IsReading(const Panel& panel);
// Whether the read was slow enough to show itself ("Reading… N", dimmed contents).
bool ReadingShown(const Panel& panel);
int32_t ReadCount(const Panel& panel);

// A new request: older ones in flight are retired (their end is dropped). The number to
// give the worker's end.
uint64_t TakeRequest(PanelReading& reading, ReadRequest request);
// Drops the read in flight (cutting a blocked call of its location); the panel stays as it is.
void DropRead(PanelReading& reading);
// Joins the retired workers that have ended.
void JoinEndedWorkers(PanelReading& reading);

// "Reading… N".
Text ReadingTitle(int32_t count);

// The swap on the window's thread. A re-read keeps the cursor on the item of the same name
// (its index, clamped, when that item has gone) at the same distance from the top, and the
// selection on the names that are still there. A new location takes the request's location,
// puts the cursor on its cursorName (else first), and its page at the top.
void SwapInReread(Panel& panel, ItemList& shown, ItemList& fresh, bool keepSelection = true);
void SwapInNewLocation(Panel& panel, ItemList& shown, ItemList& fresh, const ReadRequest& request);
// The cursor rules of a move, on a list already in place.
void ArrangeNewLocation(Panel& panel, const ItemList& list, TextView cursorName);

}  // namespace nrv
