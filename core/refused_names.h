#pragma once
// Items the one name rule kept out, gathered while a listing or a drop is read, so that the
// user gets one report that names them instead of one box per item.
#include <cstddef>

#include "platform/text.h"

namespace nrv {

// How many refused items a report names one by one; the rest are counted.
inline constexpr size_t kNamedRefusals = 10;

struct RefusedNames {
  size_t count = 0;
  Text lines;  // "name: reason" for the first kNamedRefusals, each ending with a line break
};

void NoteRefused(RefusedNames& refused, TextView name, TextView reason);

// The lines, then "... and N more" when there were more; empty when nothing was refused.
Text RefusedNamesText(const RefusedNames& refused);

// A name as a report can show it: control characters as their visible pictures (a line break
// in a name must not start a new line of the report) and a long name shortened in the middle.
Text ShownName(TextView name);

}  // namespace nrv
