#include "panel/watcher_win32.h"

#include <windows.h>

#include <atomic>

#include "panel/update_target_win32.h"
#include "panel/watcher.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "shell/error_report.h"

namespace nrv {
namespace {

inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
using KernelHandle = platform::UniqueHandle<HANDLE, CloseKernelHandle>;
inline void CloseChangeNotification(HANDLE handle) { ::FindCloseChangeNotification(handle); }
using ChangeNotification = platform::UniqueHandle<HANDLE, CloseChangeNotification>;

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

// Set while StartWatcher waits for its thread; only the user-interface thread starts watchers.
std::atomic<HANDLE> gStartHandshake{nullptr};

DWORD WINAPI WatcherThread(LPVOID argument) {
  Panel& panel = *static_cast<Panel*>(argument);
  const int side = panel.side;
  const Text path = panel.path;

  // The panel gets a handle of its own to the stop event, so that neither side closes a handle
  // the other still uses.
  KernelHandle stop(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  HANDLE panelCopy = nullptr;
  if (stop)
    ::DuplicateHandle(::GetCurrentProcess(), stop.Get(), ::GetCurrentProcess(), &panelCopy, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
  panel.updateEvent = panelCopy;
  // The notification is asked for before the handshake, so that a change right after the
  // listing is not lost; the failure is reported after it, with the user interface running.
  HANDLE raw = INVALID_HANDLE_VALUE;
  if (stop && panelCopy) raw = ::FindFirstChangeNotificationW(platform::Wide(path), FALSE, kWatchedChanges);
  const DWORD error = ::GetLastError();
  ::SetEvent(gStartHandshake.load());
  if (!stop || !panelCopy) return 0;
  if (raw == INVALID_HANDLE_VALUE) {
    ::SetLastError(error);
    ReportError(u"Error create notification event");
    return 0;
  }
  ChangeNotification change(raw);
  // The change first: when both are signalled the change wins.
  const HANDLE waits[2] = {change.Get(), stop.Get()};
  if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) SendUpdateFileLists(side);
  return 0;
}

void StopWatcher(Panel& panel) {
  if (!panel.updateEvent) return;
  const HANDLE stop = static_cast<HANDLE>(panel.updateEvent);
  panel.updateEvent = nullptr;
  ::SetEvent(stop);
  ::CloseHandle(stop);
}

void BeginWatcher(Panel& panel) {
  StopWatcher(panel);
  KernelHandle handshake(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!handshake) return;
  gStartHandshake = handshake.Get();
  KernelHandle thread(::CreateThread(nullptr, 0, WatcherThread, &panel, 0, nullptr));
  if (thread) ::WaitForSingleObject(handshake.Get(), INFINITE);
  gStartHandshake = nullptr;
}

const WatcherBackend kWin32Watcher{&BeginWatcher, &StopWatcher};

}  // namespace

void InstallChangeWatchers() { SetWatcherBackend(&kWin32Watcher); }
void RemoveChangeWatchers() { SetWatcherBackend(nullptr); }

}  // namespace nrv
