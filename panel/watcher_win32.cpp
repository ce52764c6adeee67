#include "panel/watcher_win32.h"

#include <windows.h>

#include <memory>

#include "panel/update_target_win32.h"
#include "platform/error_report.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

inline void CloseChangeNotification(HANDLE handle) { ::FindCloseChangeNotification(handle); }
using ChangeNotification = platform::UniqueHandle<HANDLE, CloseChangeNotification>;

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

}  // namespace

void StartChangeWatcher(Panel& panel) {
  StopAndJoin(panel.watcher);
  if (!panel.context) return;
  HANDLE raw = ::FindFirstChangeNotificationW(platform::Wide(panel.path), FALSE, kWatchedChanges);
  if (raw == INVALID_HANDLE_VALUE) {
    ReportError(u"Error create notification event");
    return;
  }
  // The notification moves into the worker, which closes it when it ends.
  auto change = std::make_shared<ChangeNotification>(raw);
  PanelContext* context = panel.context;
  const int side = panel.side;
  StartWorker(
      panel.watcher,
      [change, context, side](const StopFlag& stop) {
        // The change first: when both are signalled the change wins.
        const HANDLE waits[2] = {change->Get(), static_cast<HANDLE>(stop.wake)};
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 && !stop.requested)
          PostUpdateRequest(*context, side);
      },
      true);
}

}  // namespace nrv
