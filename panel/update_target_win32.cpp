#include "panel/update_target_win32.h"

namespace nrv {

void PostUpdateRequest(PanelContext& context, int side) {
  const uint32_t before = context.pendingUpdates.fetch_or(UpdateBits(side));
  if (before == 0 && context.updateTarget)
    ::PostMessageW(static_cast<HWND>(context.updateTarget), kPostedUpdateMessage, 0, 0);
}

int TakeUpdateRequests(PanelContext& context) {
  switch (context.pendingUpdates.exchange(0)) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 0;
    default: return -1;
  }
}

int TakeUpdateRequestsUnlessModal(PanelContext& context, HWND target) {
  if (target && !::IsWindowEnabled(target)) return -1;
  return TakeUpdateRequests(context);
}

void ResumeUpdateRequests(PanelContext& context, bool enabled) {
  if (enabled && context.pendingUpdates.load() != 0 && context.updateTarget)
    ::PostMessageW(static_cast<HWND>(context.updateTarget), kPostedUpdateMessage, 0, 0);
}

}  // namespace nrv
