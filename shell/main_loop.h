#pragma once
// The message loop of the user-interface thread.

namespace nrv {

// Runs until the quit message and returns its code; 3 when retrieving a message fails.
int RunMainLoop();

}  // namespace nrv
