#pragma once
// The find-files command: the query dialog, the results dialog with its search thread, and what
// the chosen button does to the panels.
#include <windows.h>

#include <atomic>
#include <mutex>

#include "archive/archive_open_win32.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "find/find_query.h"
#include "find/find_walk.h"
#include "find/search_results.h"
#include "platform/worker.h"

namespace nrv {

// Which button ended the results dialog.
enum ResultChoice : int { kChoiceNone = -1, kChoiceNewSearch = 1, kChoiceCancel = 2, kChoiceGoTo = 1016, kChoicePanel = 1018 };

// One search at a time, for the whole run; the application owns it.
struct FindSession {
  FindFilesQuery query;
  SearchCounters counters;
  std::atomic<int32_t> searchRunning{0};
  ResultQueue queue;
  SearchResults results;  // the user-interface thread's: what the list shows
  std::mutex folderMutex;
  Text currentFolder;  // the folder being read, for "Searching in:"
  HWND dialog = nullptr;
  int resultChoice = kChoiceNone;
  int selectedIndex = -1;
  Worker worker;  // last: joined before everything it uses goes

  FindSession() = default;
  FindSession(const FindSession&) = delete;
  FindSession& operator=(const FindSession&) = delete;
  ~FindSession();
};

struct FindHooks {
  PasswordQuestion askPassword = nullptr;  // for entering an archive on Go to
  // Draws a panel that the command moved to another location.
  void (*moved)(Panel& panel, ItemList& list) = nullptr;
};

void FindFilesCommand(HWND frame, FindSession& session, Panel& active, ItemList& activeList, Panel& other,
                      ItemList& otherList, const FindHooks& hooks);

}  // namespace nrv
