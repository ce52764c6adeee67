#include "shell/toolbar_model.h"

namespace nrv {

const std::array<ToolbarButton, 12>& ToolbarButtons() {
  static const std::array<ToolbarButton, 12> buttons = {{
      {u"back", 121, 4, 64, ToolbarAction::Parent},
      {u"path", 122, 64, 124, ToolbarAction::LocationMenu},
      {u"mode", 124, 124, 184, ToolbarAction::ModeMenu},
      {u"sort", 123, 184, 244, ToolbarAction::SortMenu},
      {u"select", 125, 244, 314, ToolbarAction::SelectGroup},
      {u"cmd", 133, 314, 364, ToolbarAction::Console},
      {u"find", 132, 364, 424, ToolbarAction::FindFiles},
      {u"make", 126, 424, 484, ToolbarAction::MakeFolder},
      {u"pack", 127, 484, 544, ToolbarAction::Pack},
      {u"copy", 128, 544, 604, ToolbarAction::Copy},
      {u"move", 130, 604, 664, ToolbarAction::Move},
      {u"delete", 131, 664, 734, ToolbarAction::Delete},
  }};
  return buttons;
}

int ToolbarButtonAt(int x, int y) {
  if (y > kToolbarHeight) return -1;
  const auto& buttons = ToolbarButtons();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (x >= buttons[i].x && x <= buttons[i].hitRight) return static_cast<int>(i);
  return -1;
}

}  // namespace nrv
