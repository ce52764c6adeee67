#pragma once
// Where the shell puts the panels, and the divider arithmetic of the main loop. Pure
// arithmetic on client sizes, so it is the same on every platform.
#include <cstdint>

namespace nrv {

inline constexpr int32_t kToolbarHeight = 20;
inline constexpr int32_t kDividerLimit = 80;  // percent from the centre
inline constexpr int32_t kDividerStep = 10;

struct ShellRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ShellRect&) const = default;
};

struct MainLayoutInput {
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t statusCharHeight = 1;  // the status-line font's character height
  int32_t toolbarHeight = 0;     // kToolbarHeight or 0
  bool stacked = false;          // ArrageHorizontal
  int32_t windowsOffset = 0;     // percent from the centre
};

struct PanelRects {
  ShellRect left;
  ShellRect right;
};

PanelRects LayOutPanels(const MainLayoutInput& input);

// The band between toolbar and status line that the main window paints behind the panels.
ShellRect PanelGap(const MainLayoutInput& input);

// The window rectangle used when no placement was saved: 2/3 of a 1.4:1 screen, centred on it.
ShellRect DefaultWindowRect(int32_t screenHeight);

// The divider position for the pointer while dragging; false when it is beyond the limit.
bool DividerOffsetAt(const MainLayoutInput& input, int32_t x, int32_t y, int32_t& offset);

// Whether the pointer (main client coordinates) is over the divider. leftPanelEdge is the left
// panel's right edge side by side, its bottom stacked (in its own client coordinates).
bool IsOverDivider(const MainLayoutInput& input, int32_t leftPanelEdge, int32_t x, int32_t y);

// Ctrl+Left (direction -1) and Ctrl+Right (+1): a step whenever the limit is not reached yet,
// so a dragged -75 goes on to -85.
int32_t StepDivider(int32_t offset, int direction);

}  // namespace nrv
