#pragma once
// The program from start-up to exit.
#include <windows.h>

namespace nrv {

// Brings the process up, runs the main loop and releases what it made. Returns 0, also when
// start-up stops early.
int RunNorvane(HINSTANCE instance);

// The start-up steps in their order, without the loop: 0, or -1 when start-up stopped early.
int StartShell(HINSTANCE instance);
// Loads what the first window does not need (the archive library, the Internet handle, OLE).
// Runs once, after the first paint or before the first input, whichever comes first.
void StartDeferredServices();
// Releases what start-up made.
void StopShell();

}  // namespace nrv
