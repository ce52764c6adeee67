#pragma once
// The program from start-up to exit.
#include <windows.h>

namespace nrv {

// Brings the process up, runs the main loop and releases what it made. Returns 0, also when
// start-up stops early.
int RunNorvane(HINSTANCE instance);

}  // namespace nrv
