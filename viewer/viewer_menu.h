#pragma once
// The viewer's popup menu: its items in order with their identifiers, and the command of each.
#include <cstdint>
#include <vector>

#include "platform/text.h"
#include "viewer/viewer_commands.h"

namespace nrv {

namespace viewer_menu {
inline constexpr uint32_t kCopy = 3950, kSearch = 3951, kSelectAll = 3952, kDeselect = 3953;
inline constexpr uint32_t kResetSearch = 3959;
inline constexpr uint32_t kFontSmall = 3970, kFontNormal = 3971, kFontBig = 3972;
inline constexpr uint32_t kFaceLucida = 3973, kFaceConsolas = 3974, kFaceConsolasBold = 3975;
inline constexpr uint32_t kFaceCourier = 3976, kFaceTerminal = 3977;
inline constexpr uint32_t kOem = 3980, kAnsi = 3981, kKoi8r = 3982, kUnicode = 3983, kUtf8 = 3984;
inline constexpr uint32_t kHex = 3995, kTextDump = 3996, kWrap = 3998, kUnwrap = 3999;
}  // namespace viewer_menu

struct ViewerMenuItem {
  Text text;    // empty for a separator
  uint32_t id = 0;  // 0 for a separator or a submenu
  std::vector<ViewerMenuItem> submenu;
};

// The items in order; the two Consolas faces only from major version 6 on.
std::vector<ViewerMenuItem> ViewerMenuItems(int osMajor);

// The command of a menu identifier; None for any other number.
ViewerCommand ViewerMenuCommand(uint32_t id);

}  // namespace nrv
