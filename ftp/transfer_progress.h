#pragma once
// What the progress window shows during a transfer, and how often.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

// Progress is drawn at most this often, whatever the block count.
inline constexpr uint64_t kProgressIntervalMs = 50;

// done × 100 / total when the total is 2 or more, else 0.
int ProgressPercent(int64_t done, int64_t total);
// "%s of %s (%d%%)" with both sizes as the panels' totals show them; the done size alone when
// the total is below 2.
Text ProgressText(int64_t done, int64_t total);

struct ProgressThrottle {
  uint64_t lastShownMs = 0;
  bool shownOnce = false;
};
// True when progress is due at nowMs: the first time, at the end, or kProgressIntervalMs after
// the last time it was shown.
bool ProgressDue(ProgressThrottle& throttle, uint64_t nowMs, bool finished);

}  // namespace nrv
