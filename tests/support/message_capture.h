#pragma once
// Collects the messages the program would show, for the duration of one test.
#include <mutex>
#include <vector>

#include "platform/message_box.h"

namespace nrv::test {

class MessageCapture {
 public:
  // Every message is answered with answer (Ok, or Yes for the questions a test goes through).
  explicit MessageCapture(platform::MessageAnswer answer = platform::MessageAnswer::Ok) {
    answer_ = answer;
    previous_ = platform::SetMessageHook(&Record);
  }
  ~MessageCapture() {
    platform::SetMessageHook(previous_);
    std::lock_guard lock(mutex_);
    messages_.clear();
  }
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  std::vector<platform::MessageRequest> Taken() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  // Watchers and workers report from their own threads.
  static platform::MessageAnswer Record(const platform::MessageRequest& request) {
    std::lock_guard lock(mutex_);
    messages_.push_back(request);
    return answer_;
  }

  static inline std::mutex mutex_;
  static inline std::vector<platform::MessageRequest> messages_;
  static inline platform::MessageAnswer answer_ = platform::MessageAnswer::Ok;
  platform::MessageHook previous_ = nullptr;
};

}  // namespace nrv::test
