#pragma once
// The "Go to" dialog's texts and its rule for the number typed.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

inline constexpr int kGoToDigitsLimit = 10;

Text GoToLabel(int64_t lineCount);
// The leading digits as a number; 0 when there are none (or too many to be a line).
int64_t ParseLineNumber(TextView typed);
// The line (0-based) to put the caret on, or -1 when the number is outside 1 to lineCount.
int64_t GoToTarget(int64_t number, int64_t lineCount);

}  // namespace nrv
