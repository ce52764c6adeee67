#include "platform/error_report.h"

#include <atomic>
#include <string>

#include "platform/errors.h"
#include "platform/message_box.h"
#include "platform/system.h"

namespace nrv {
namespace {

std::atomic<NativeWindow> gMainWindow{nullptr};
std::atomic<NativeWindow> gActivePanelWindow{nullptr};

Text Number(long long value) { return Ascii(std::to_string(value)); }

// The Internet library's own error codes.
constexpr uint32_t kFirstInternetError = 12000;
constexpr uint32_t kLastInternetError = 12199;

}  // namespace

void SetErrorReportWindows(NativeWindow mainWindow, NativeWindow activePanelWindow) {
  gMainWindow = mainWindow;
  gActivePanelWindow = activePanelWindow;
}

Text ErrorReportText(TextView message, uint32_t error, TextView systemText, TextView serverReply) {
  Text text(message);
  if (error == platform::kErrorInternetExtended) {
    if (!serverReply.empty()) return text + u"\n\n" + Text(serverReply);
    return text + u"\n\nInet error " + Number(error);
  }
  text += u"\n\nError " + Number(error);
  if (!systemText.empty()) text += u": " + Text(systemText);
  // Other Internet errors (a refused login) keep the server's own words beside the code.
  if (!serverReply.empty()) text += u"\n" + Text(serverReply);
  return text;
}

Text LastErrorReportText(TextView message) {
  const uint32_t error = platform::LastError();
  Text systemText, serverReply;
  if (error == platform::kErrorInternetExtended) {
    serverReply = platform::InternetLastResponse();
  } else {
    systemText = platform::SystemErrorText(error);
    if (error >= kFirstInternetError && error <= kLastInternetError)
      serverReply = platform::InternetLastResponse();
  }
  return ErrorReportText(message, error, systemText, serverReply);
}

platform::MessageRequest ErrorReportRequest(Text text) {
  platform::MessageRequest request;
  request.owner = gMainWindow.load();
  request.text = std::move(text);
  request.caption = kProgramCaption;
  request.icon = platform::MessageIcon::Error;
  return request;
}

void ReportError(TextView message) {
  platform::ShowMessage(ErrorReportRequest(LastErrorReportText(message)));
  platform::FocusWindow(gActivePanelWindow.load());
}

Text ExecuteResultText(intptr_t result) {
  switch (result) {
    case 0: return u"The operating system is out of memory or resources.";
    case 2: return u"The specified file was not found.";
    case 3: return u"The specified path was not found.";
    case 5: return u"The operating system denied access to the specified file.";
    case 8: return u"There was not enough memory to complete the operation.";
    case 11: return u"The .exe file is invalid (non-Win32 .exe or error in .exe image).";
    case 26: return u"A sharing violation occurred.";
    case 27: return u"The file name association is incomplete or invalid.";
    case 28: return u"The DDE transaction could not be completed because the request timed out.";
    case 29: return u"The DDE transaction failed.";
    case 30:
      return u"The DDE transaction could not be completed because other DDE transactions were "
             u"being processed.";
    case 31:
      return u"There is no application associated with the given file name extension. This "
             u"error will also be returned if you attempt to print a file that is not printable.";
    case 32: return u"The specified DLL was not found.";
    default: return {};
  }
}

void ReportExecuteResult(intptr_t result, TextView contextLine) {
  if (result >= 33) return;
  const Text text = ExecuteResultText(result);
  if (text.empty()) return;
  platform::MessageRequest request;
  request.owner = gMainWindow.load();
  request.text = text + u" \r\n" + Text(contextLine);
  request.caption = u"Norvane ";
  request.icon = platform::MessageIcon::Error;
  platform::ShowMessage(request);
}

}  // namespace nrv
