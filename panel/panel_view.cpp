#include "panel/panel_view.h"

namespace nrv {

NativeWindow WindowOf(const Panel& panel) { return panel.view ? panel.view->window : nullptr; }
NativeDc DcOf(const Panel& panel) { return panel.view ? panel.view->dc : nullptr; }
NativeFont ItemFontOf(const Panel& panel) { return panel.view ? panel.view->font : nullptr; }
NativeFont TitleFontOf(const Panel& panel) { return panel.view ? panel.view->titleFont : nullptr; }
const SharedDrawing* SharedDrawingOf(const Panel& panel) { return panel.view ? panel.view->shared : nullptr; }

}  // namespace nrv
