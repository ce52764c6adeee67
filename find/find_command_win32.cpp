#include "find/find_command_win32.h"

#include "find/archive_names_win32.h"
#include "find/find_targets.h"
#include "find/query_dialog_win32.h"
#include "find/results_dialog_win32.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

void GoToSelected(FindSession& session, Panel& active, ItemList& list, const FindHooks& hooks) {
  const int row = session.selectedIndex;
  if (row < 0 || row >= Count(session.results)) return;
  const TextView path = ResultPath(session.results, row);
  if (const uint16_t archiveLength = session.results.items[static_cast<size_t>(row)].archivePathLength)
    GoToFoundInArchive(active, list, path.substr(0, archiveLength), path.substr(archiveLength + 1u), hooks.askPassword);
  else
    GoToFound(active, list, path);
  if (hooks.moved) hooks.moved(active, list);
}

}  // namespace

FindSession::~FindSession() {
  counters.abortRequested = true;
  StopAndJoin(worker);
}

void FindFilesCommand(HWND frame, FindSession& session, Panel& active, ItemList& activeList, Panel& other,
                      ItemList& otherList, const FindHooks& hooks) {
  session.query = FindFilesQuery{};
  if (session.searchRunning.load() != 0) {
    platform::ShowMessage({frame, u"Search isn't complete", u"", platform::MessageIcon::None, platform::MessageButtons::Ok});
    return;
  }
  int choice = kChoiceNewSearch;
  while (choice == kChoiceNewSearch) {
    if (!QueryDialog(frame, session.query, active.path)) return;
    session.counters.abortRequested = false;
    session.dialog = nullptr;
    choice = ResultsDialog(frame, session);
  }
  if (choice == kChoiceGoTo) {
    GoToSelected(session, active, activeList, hooks);
  } else if (choice == kChoicePanel) {
    const bool toActive = ResultsGoToActive(active);
    Panel& target = toActive ? active : other;
    ItemList& list = toActive ? activeList : otherList;
    if (ResultsToTemporaryPanel(session.results, session.selectedIndex, target, list, toActive ? other : active) == 0 &&
        hooks.moved)
      hooks.moved(target, list);
  }
  ClearResults(session.results);
  session.results.items.shrink_to_fit();
  session.results.paths.shrink_to_fit();
}

}  // namespace nrv
