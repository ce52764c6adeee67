#pragma once
// The twelve toolbar buttons: their labels, icons, places and what a click at a point hits.
#include <array>

#include "platform/text.h"

namespace nrv {

enum class ToolbarAction {
  Parent, LocationMenu, ModeMenu, SortMenu, SelectGroup, Console,
  FindFiles, MakeFolder, Pack, Copy, Move, Delete,
};

struct ToolbarButton {
  const char16_t* label;
  int icon;
  int x;
  int hitRight;
  ToolbarAction action;
};

inline constexpr int kToolbarHeight = 20;

const std::array<ToolbarButton, 12>& ToolbarButtons();

// The first button whose hit rectangle holds the point (a shared edge counts for the left
// one), or -1.
int ToolbarButtonAt(int x, int y);

}  // namespace nrv
