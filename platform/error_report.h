#pragma once
// The one way failed system and network calls are shown to the user.
#include <cstdint>

#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/text.h"

namespace nrv {

inline constexpr char16_t kProgramCaption[] = u"Norvane 1.0.0";

// Shows message with the calling thread's last error (or the FTP server's last reply), then
// gives the keyboard back to the active panel.
void ReportError(TextView message);

// Shows the text of a failed shell execute result (below 33) with the context line.
void ReportExecuteResult(intptr_t result, TextView contextLine);

// What ReportError shows, in two steps for a worker thread: the text, made on the thread whose
// last error it is, and the message, shown on the user-interface thread.
Text LastErrorReportText(TextView message);
platform::MessageRequest ErrorReportRequest(Text text);

// The texts ReportError would show, for the given error code and server reply.
Text ErrorReportText(TextView message, uint32_t error, TextView systemText, TextView serverReply);
// The table text of an execute result; empty for success and codes not in the table.
Text ExecuteResultText(intptr_t result);

// The owner of the messages and the window that gets the keyboard back.
void SetErrorReportWindows(NativeWindow mainWindow, NativeWindow activePanelWindow);

}  // namespace nrv
