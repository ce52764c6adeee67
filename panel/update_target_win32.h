#pragma once
// How workers ask the user-interface thread to re-read panels: posted, never sent, and coalesced
// so that a burst of requests costs one re-read.
#include <windows.h>

#include <cstdint>

#include "core/panel_context.h"

namespace nrv {

// The message the context's update target receives; its handler takes the pending sides.
inline constexpr UINT kPostedUpdateMessage = WM_APP + 1;

// Marks side (0 both, 1 left, 2 right) for re-reading and posts the message unless one is
// already on its way.
void PostUpdateRequest(PanelContext& context, int side);

// The sides asked for since the last call, as UpdateFileLists' side (0 both, 1, 2), or -1 for
// none.
int TakeUpdateRequests(PanelContext& context);

// TakeUpdateRequests for the update target's message handler. While a modal loop of the
// user-interface thread runs (a prompt or a message box: the target is disabled) the requests
// wait, so that no panel list changes under a command that is asking something; -1 then.
int TakeUpdateRequestsUnlessModal(PanelContext& context, HWND target);
// For the target's WM_ENABLE: requests that waited are posted again.
void ResumeUpdateRequests(PanelContext& context, bool enabled);

}  // namespace nrv
