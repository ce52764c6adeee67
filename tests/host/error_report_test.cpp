#include <gtest/gtest.h>

#include "platform/errors.h"
#include "shell/error_report.h"
#include "support/message_capture.h"

namespace nrv {
namespace {

TEST(ErrorReport, SystemTextOfTheLastErrorOrTheServerReplyOrJustTheCode) {
  test::MessageCapture messages;
  platform::SetLastError(2);
  ReportError(u"Cannot open \"a.txt\"");
  platform::SetLastError(4242);  // no system text
  ReportError(u"Odd");
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].text, u"Cannot open \"a.txt\"\n\nError 2: The system cannot find the file specified.");
  EXPECT_EQ(taken[0].caption, u"Norvane 1.0.0");
  EXPECT_EQ(taken[1].text, u"Odd\n\nError 4242");
  EXPECT_EQ(ErrorReportText(u"FTP", 12003, u"ignored", u"550 No such file"), u"FTP\n\n550 No such file");
  EXPECT_EQ(ErrorReportText(u"FTP", 12003, u"", u""), u"FTP\n\nInet error 12003");
}

TEST(ErrorReport, ExecuteResultsBelow33InTheTableOnly) {
  test::MessageCapture messages;
  ReportExecuteResult(33, u"fine.exe");
  ReportExecuteResult(1, u"unknown code");
  ReportExecuteResult(31, u"C:\\doc.xyz");
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].text.rfind(u"There is no application associated", 0), 0u);
  EXPECT_EQ(taken[0].text.substr(taken[0].text.size() - 13), u" \r\nC:\\doc.xyz");
  EXPECT_EQ(taken[0].caption, u"Norvane ");
}

}  // namespace
}  // namespace nrv
