#include "ftp/transfer_progress.h"

#include <cstdint>
#include <string>

#include "core/formatting.h"

namespace nrv {

int ProgressPercent(int64_t done, int64_t total) {
  if (total < 2 || done <= 0) return 0;
  if (done >= total) return 100;
  // Past the 64-bit product the quotient of the divided total is as good.
  if (done > INT64_MAX / 100) return static_cast<int>(done / (total / 100));
  return static_cast<int>((done * 100) / total);
}

Text ProgressText(int64_t done, int64_t total) {
  const Text doneText(GroupedSize(done).view());
  if (total < 2) return doneText;
  return doneText + u" of " + Text(GroupedSize(total).view()) + u" (" +
         Ascii(std::to_string(ProgressPercent(done, total))) + u"%)";
}

bool ProgressDue(ProgressThrottle& throttle, uint64_t nowMs, bool finished) {
  if (!finished && throttle.shownOnce && nowMs - throttle.lastShownMs < kProgressIntervalMs) return false;
  throttle.shownOnce = true;
  throttle.lastShownMs = nowMs;
  return true;
}

}  // namespace nrv
