#pragma once
// Collects the messages the program would show, for the duration of one test.
#include <mutex>
#include <vector>

#include "platform/message_box.h"

namespace nrv::test {

class MessageCapture {
 public:
  MessageCapture() { previous_ = platform::SetMessageHook(&Record); }
  ~MessageCapture() {
    platform::SetMessageHook(previous_);
    std::lock_guard lock(Mutex());
    Messages().clear();
  }
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  std::vector<platform::MessageRequest> Taken() const {
    std::lock_guard lock(Mutex());
    return Messages();
  }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<platform::MessageRequest>& Messages() {
    static std::vector<platform::MessageRequest> messages;
    return messages;
  }
  static platform::MessageAnswer Record(const platform::MessageRequest& request) {
    std::lock_guard lock(Mutex());
    Messages().push_back(request);
    return platform::MessageAnswer::Ok;
  }

  platform::MessageHook previous_ = nullptr;
};

}  // namespace nrv::test
