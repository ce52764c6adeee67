#pragma once
// What a panel draws with besides its own window, context and fonts: the drawing objects the
// main window shares with both panels, and the parts of the main window a panel's drawing
// brings up to date. Filled by the shell when its windows exist.
#include "platform/handles.h"

namespace nrv {

using NativeGdiObject = void*;

struct PanelView {
  bool ready = false;  // the windows exist and may be drawn
  NativeGdiObject textPen = nullptr;
  NativeGdiObject titleBrush = nullptr;
  NativeGdiObject backgroundBrush = nullptr;
  void (*drawToolbar)(void* owner) = nullptr;
  void (*drawMainStatusBar)(void* owner) = nullptr;
  void* owner = nullptr;  // handed to the two calls above
};

}  // namespace nrv
