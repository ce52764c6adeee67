#include <gtest/gtest.h>

#include "core/drive_table.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "shell/error_report.h"
#include "shell/start_paths.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

TEST(StartPaths, SavedFolderWhenItExistsElseTheProcessFolder) {
  test::TempFolder saved;
  const Text path = FromUtf8(saved.Path().string());
  EXPECT_EQ(StartFolder(path, u"/process"), path);
  EXPECT_EQ(platform::CurrentFolder(), path);
  EXPECT_EQ(StartFolder(path + u"/gone", u"/process"), u"/process");
  EXPECT_EQ(StartFolder(u"", u"/process"), u"/process");
}

TEST(StartPaths, DriveComesFromTheTableOrTheNetworkElseEachSideComplains) {
  test::MessageCapture messages;
  DriveTable drives;
  drives.rows.push_back({platform::kDriveCdRom, 700, 0, u"D:\\", u"DISC"});
  Panel left, right;
  left.side = kLeftPanel;
  right.side = kRightPanel;
  right.drive.totalBytes = 5;
  TakeStartDrive(left, u"d:\\music", drives);
  EXPECT_EQ(left.drive.type, platform::kDriveCdRom);
  EXPECT_EQ(left.drive.totalBytes, 700u);
  TakeStartDrive(right, u"\\\\server\\share", drives);
  EXPECT_EQ(right.drive.type, platform::kDriveRemote);
  EXPECT_EQ(right.drive.totalBytes, 0u);
  EXPECT_TRUE(messages.Taken().empty());

  TakeStartDrive(right, u"E:\\data", drives);
  TakeStartDrive(left, u"E:\\data", drives);
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].text, u"Error get current drive right");
  EXPECT_EQ(taken[1].text, u"Error get current drive left");
}

TEST(ErrorReport, SystemTextOrServerReplyOrJustTheCodeAndExecuteResultsBelow33) {
  test::MessageCapture messages;
  platform::SetLastError(2);
  ReportError(u"Cannot open \"a.txt\"");
  platform::SetLastError(4242);  // no system text
  ReportError(u"Odd");
  ReportExecuteResult(33, u"fine.exe");
  ReportExecuteResult(31, u"C:\\doc.xyz");
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].text, u"Cannot open \"a.txt\"\n\nError 2: The system cannot find the file specified.");
  EXPECT_EQ(taken[0].caption, u"Norvane 1.0.0");
  EXPECT_EQ(taken[1].text, u"Odd\n\nError 4242");
  EXPECT_EQ(taken[2].text.rfind(u"There is no application associated", 0), 0u);
  EXPECT_EQ(taken[2].text.substr(taken[2].text.size() - 13), u" \r\nC:\\doc.xyz");
  EXPECT_EQ(ErrorReportText(u"FTP", 12003, u"ignored", u"550 No such file"), u"FTP\n\n550 No such file");
  EXPECT_EQ(ErrorReportText(u"FTP", 12003, u"", u""), u"FTP\n\nInet error 12003");
}

}  // namespace
}  // namespace nrv
