#include "platform/message_box.h"

#include <atomic>

namespace nrv::platform {

MessageAnswer ShowNativeMessage(const MessageRequest& request);

namespace {
std::atomic<MessageHook> gHook{nullptr};
}

MessageAnswer ShowMessage(const MessageRequest& request) {
  if (const MessageHook hook = gHook.load()) return hook(request);
  return ShowNativeMessage(request);
}

MessageHook SetMessageHook(MessageHook hook) { return gHook.exchange(hook); }

}  // namespace nrv::platform
