#pragma once
// What a panel draws with, apart from its model: its window, kept device context and fonts,
// and the drawing objects the main window shares with both panels. Filled by the shell when
// its windows exist; a panel without a view (tests of the model) is never drawn.
#include "core/panel.h"
#include "platform/handles.h"

namespace nrv {

using NativeGdiObject = void*;

// Shared by both panels' views.
struct SharedDrawing {
  bool ready = false;  // the windows exist and may be drawn
  NativeGdiObject textPen = nullptr;
  NativeGdiObject titleBrush = nullptr;
  NativeGdiObject backgroundBrush = nullptr;
  void (*drawToolbar)(void* owner) = nullptr;
  void (*drawMainStatusBar)(void* owner) = nullptr;
  // The title line from the row of the panel's location, which may know more than the panel
  // (an FTP panel's server).
  Text (*titleOf)(void* owner, const Panel& panel) = nullptr;
  // The tab row above the title, when the panel's layout gives it a height; the tabs are the
  // shell's.
  void (*drawTabRow)(void* owner, const Panel& panel, NativeDc dc) = nullptr;
  void* owner = nullptr;  // handed to the calls above
};

struct PanelView {
  SharedDrawing* shared = nullptr;
  NativeWindow window = nullptr;
  NativeDc dc = nullptr;  // kept for the window's life; owned by the shell
  NativeFont font = nullptr;
  NativeFont titleFont = nullptr;
};

// The panel's window, kept context and fonts; none when it has no view.
NativeWindow WindowOf(const Panel& panel);
NativeDc DcOf(const Panel& panel);
NativeFont ItemFontOf(const Panel& panel);
NativeFont TitleFontOf(const Panel& panel);
// The drawing objects both panels share; none when the panel has no view.
const SharedDrawing* SharedDrawingOf(const Panel& panel);

}  // namespace nrv
