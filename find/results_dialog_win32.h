#pragma once
// The results dialog (107): starts the search thread, lists what it finds as it finds it, and
// ends with the button chosen.
#include <windows.h>

#include "find/find_command_win32.h"

namespace nrv {

// One of ResultChoice's buttons; session.results and selectedIndex hold what Go to and Panel need.
int ResultsDialog(HWND frame, FindSession& session);

}  // namespace nrv
