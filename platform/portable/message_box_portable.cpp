#include <cstdio>

#include "platform/message_box.h"

namespace nrv::platform {

// Without a window system a message is written to stderr and answered with the safe choice.
MessageAnswer ShowNativeMessage(const MessageRequest& request) {
  std::fprintf(stderr, "[%s] %s\n", ToUtf8(request.caption).c_str(), ToUtf8(request.text).c_str());
  switch (request.buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::OkCancel: return MessageAnswer::Cancel;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
  }
  return MessageAnswer::Cancel;
}

}  // namespace nrv::platform
