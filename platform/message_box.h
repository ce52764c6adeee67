#pragma once
// Modal message boxes. Every message of the program goes through ShowMessage so that tests
// can capture text, caption and icon instead of showing a window.
#include "platform/handles.h"
#include "platform/text.h"

namespace nrv::platform {

enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
  NativeWindow owner = nullptr;
  Text text;
  Text caption;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
};

using MessageHook = MessageAnswer (*)(const MessageRequest& request);

MessageAnswer ShowMessage(const MessageRequest& request);

// While a hook is set, messages go to it instead of the screen. Returns the previous hook.
MessageHook SetMessageHook(MessageHook hook);

}  // namespace nrv::platform
