#pragma once
// The fields of the main status bar and the character columns they start at.
#include <cstdint>

#include "core/panel.h"

namespace nrv {

struct StatusBarFields {
  Text name;
  Text typeName;    // " %30s  "
  Text attributes;  // "  %-10s "
  Text owner;       // " %s "
  int32_t typeColumn = 0;
  int32_t attributesColumn = 0;
  int32_t ownerColumn = 0;
  int32_t blankFrom = 0;  // columns blankFrom..blankTo are cleared
  int32_t blankTo = 0;
};

// The fields for the cursor item of the active panel on a bar of the given width in characters.
StatusBarFields ArrangeStatusBar(const CurrentItemInfo& current, int32_t columns);

}  // namespace nrv
