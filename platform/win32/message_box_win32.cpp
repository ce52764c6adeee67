#include <windows.h>

#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv::platform {

MessageAnswer ShowNativeMessage(const MessageRequest& request) {
  UINT style = MB_OK;
  switch (request.buttons) {
    case MessageButtons::Ok: style = MB_OK; break;
    case MessageButtons::OkCancel: style = MB_OKCANCEL; break;
    case MessageButtons::YesNo: style = MB_YESNO; break;
    case MessageButtons::YesNoCancel: style = MB_YESNOCANCEL; break;
  }
  switch (request.icon) {
    case MessageIcon::None: break;
    case MessageIcon::Error: style |= MB_ICONERROR; break;
    case MessageIcon::Warning: style |= MB_ICONWARNING; break;
    case MessageIcon::Question: style |= MB_ICONQUESTION; break;
    case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
  }
  const int answer = ::MessageBoxW(static_cast<HWND>(request.owner), Wide(request.text),
                                   Wide(request.caption), style);
  switch (answer) {
    case IDOK: return MessageAnswer::Ok;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
  }
}

}  // namespace nrv::platform
