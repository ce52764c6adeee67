#include "shell/main_layout.h"

namespace nrv {

PanelRects LayOutPanels(const MainLayoutInput& in) {
  const int32_t width = in.clientWidth;
  const int32_t height = in.clientHeight;
  const int32_t ch = in.statusCharHeight;
  const int32_t tb = in.toolbarHeight;
  const double off = in.windowsOffset / 100.0;
  PanelRects rects;
  if (!in.stacked) {
    const int32_t half = width / 2;
    const int32_t panelHeight = height - ch - tb;
    const auto leftWidth = static_cast<int32_t>(half + off * half);
    const auto rightWidth = static_cast<int32_t>(half - off * half);
    rects.left = {0, tb, leftWidth, panelHeight};
    rects.right = {leftWidth, tb, rightWidth, panelHeight};
  } else {
    const int32_t s = height / 2 - ch / 2 - tb / 2 + 1;
    const auto d = static_cast<int32_t>(off * s);
    rects.left = {0, tb, width, s + d};
    rects.right = {0, tb + s + d, width, s - d};
  }
  return rects;
}

ShellRect PanelGap(const MainLayoutInput& in) {
  return {0, in.toolbarHeight, in.clientWidth, in.clientHeight - in.statusCharHeight - in.toolbarHeight};
}

ShellRect DefaultWindowRect(int32_t screenHeight) {
  const int32_t h = screenHeight;
  const auto w = static_cast<int32_t>(h * 1.4);
  const int32_t width = 2 * w / 3;
  const int32_t height = 2 * h / 3;
  return {w / 2 - width / 2, h / 2 - height / 2, width, height};
}

bool DividerOffsetAt(const MainLayoutInput& in, int32_t x, int32_t y, int32_t& offset) {
  double value = 0;
  if (!in.stacked) {
    const int32_t half = in.clientWidth / 2;
    if (half <= 0) return false;
    value = static_cast<double>(x - half) / half * 100;
  } else {
    const int32_t half = in.clientHeight / 2;
    if (half <= 0) return false;
    value = static_cast<double>(y - half) / half * 100;
  }
  const auto whole = static_cast<int32_t>(value);
  if (whole > kDividerLimit || whole < -kDividerLimit) return false;
  offset = whole;
  return true;
}

bool IsOverDivider(const MainLayoutInput& in, int32_t leftPanelEdge, int32_t x, int32_t y) {
  if (!in.stacked) {
    const bool nearEdge = x >= leftPanelEdge - 2 && x <= leftPanelEdge + 2;
    return nearEdge && y > in.toolbarHeight && y < in.clientHeight - in.statusCharHeight;
  }
  const int32_t edge = in.toolbarHeight + leftPanelEdge;
  return y >= edge - 2 && y <= edge + 2;
}

int32_t StepDivider(int32_t offset, int direction) {
  if (direction < 0 && offset > -kDividerLimit) return offset - kDividerStep;
  if (direction > 0 && offset < kDividerLimit) return offset + kDividerStep;
  return offset;
}

}  // namespace nrv
