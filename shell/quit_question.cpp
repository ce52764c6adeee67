#include "shell/quit_question.h"

#include "platform/message_box.h"

namespace nrv {

bool ConfirmQuit(NativeWindow owner, const std::atomic<int32_t>& runningFileOperations) {
  platform::MessageRequest question;
  question.owner = owner;
  question.text = u"Do You want to quit program?";
  question.caption = u"Question";
  question.icon = platform::MessageIcon::Question;
  question.buttons = platform::MessageButtons::OkCancel;
  if (platform::ShowMessage(question) != platform::MessageAnswer::Ok) return false;
  if (runningFileOperations.load() == 0) return true;
  platform::MessageRequest wait;
  wait.owner = owner;
  wait.text = u"Please wait for completion of all file operations";
  wait.caption = u"Information";
  wait.icon = platform::MessageIcon::Information;
  platform::ShowMessage(wait);
  return false;
}

}  // namespace nrv
