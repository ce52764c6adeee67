#pragma once
// Where workers send UpdateFileLists: the main window, or a window a test puts in its place.
#include <windows.h>

namespace nrv {

// nullptr goes back to the main window of TheShellWindows().
void SetUpdateFileListsTarget(HWND window);
HWND UpdateFileListsTarget();

// Sends (not posts) UpdateFileLists with side 0 (both panels), 1 or 2; the caller waits until the
// user-interface thread has re-read the panels.
void SendUpdateFileLists(int side);

}  // namespace nrv
