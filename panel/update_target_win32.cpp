#include "panel/update_target_win32.h"

#include <atomic>

#include "shell/command_ids.h"
#include "shell/shell_windows.h"

namespace nrv {
namespace {

std::atomic<HWND> gTarget{nullptr};

}  // namespace

void SetUpdateFileListsTarget(HWND window) { gTarget = window; }

HWND UpdateFileListsTarget() {
  if (HWND target = gTarget.load()) return target;
  return TheShellWindows().main;
}

void SendUpdateFileLists(int side) {
  if (HWND target = UpdateFileListsTarget())
    ::SendMessageW(target, WM_COMMAND, command::kUpdateFileLists, static_cast<LPARAM>(side));
}

}  // namespace nrv
