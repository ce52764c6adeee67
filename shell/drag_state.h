#pragma once
// A drag of files out of a panel as the user-interface thread keeps it, and where drops that
// need another subsystem are routed.
#include <windows.h>

#include <vector>

#include "core/panel.h"
#include "platform/text.h"
#include "platform/win32/gdi_objects.h"

namespace nrv {

inline void DestroyWindowOf(HWND window) { ::DestroyWindow(window); }

struct DragState {
  bool running = false;  // from the first move with the button down until it is released
  int sourceSide = 0;    // the panel the drag began in; none outside a drag
  platform::UniqueHandle<HWND, DestroyWindowOf> window;  // the DragDropWindow while DoDragDrop runs
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace nrv
