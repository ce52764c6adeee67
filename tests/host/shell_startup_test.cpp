#include <gtest/gtest.h>

#include "core/drive_table.h"
#include "platform/files.h"
#include "platform/portable/portable_controls.h"
#include "shell/quit_question.h"
#include "shell/running_operations.h"
#include "shell/start_paths.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

Text Native(const std::filesystem::path& path) { return FromUtf8(path.string()); }

TEST(StartPaths, SavedFolderWhenItExistsElseTheProcessFolder) {
  test::TempFolder saved;
  EXPECT_EQ(StartFolder(Native(saved.Path()), u"/process"), Native(saved.Path()));
  EXPECT_EQ(platform::CurrentFolder(), Native(saved.Path()));
  EXPECT_EQ(StartFolder(Native(saved.Path() / "gone"), u"/process"), u"/process");
  EXPECT_EQ(StartFolder(u"", u"/process"), u"/process");
}

TEST(StartPaths, DriveComesFromTheTableOrTheNetwork) {
  test::MessageCapture messages;
  DriveTable drives;
  drives.rows.push_back({platform::kDriveFixed, 1000, 400, u"C:\\", u" "});
  drives.rows.push_back({platform::kDriveCdRom, 700, 0, u"D:\\", u"DISC"});

  Panel left;
  left.side = kLeftPanel;
  TakeStartDrive(left, u"d:\\music", drives);
  EXPECT_EQ(left.drive.type, platform::kDriveCdRom);
  EXPECT_EQ(left.drive.totalBytes, 700u);
  EXPECT_TRUE(left.drive.root.empty());  // root and label stay with the table

  Panel right;
  right.side = kRightPanel;
  right.drive.totalBytes = 5;
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
  EXPECT_EQ(taken[0].caption, u"Error");
  EXPECT_EQ(taken[0].icon, platform::MessageIcon::Error);
}

platform::MessageAnswer gAnswer = platform::MessageAnswer::Ok;
std::vector<platform::MessageRequest> gAsked;

platform::MessageAnswer Answer(const platform::MessageRequest& request) {
  gAsked.push_back(request);
  return request.buttons == platform::MessageButtons::OkCancel ? gAnswer : platform::MessageAnswer::Ok;
}

TEST(QuitQuestion, OkQuitsOnlyWithoutRunningFileOperations) {
  const platform::MessageHook previous = platform::SetMessageHook(&Answer);
  gAsked.clear();
  gAnswer = platform::MessageAnswer::Cancel;
  EXPECT_FALSE(ConfirmQuit(nullptr));
  ASSERT_EQ(gAsked.size(), 1u);
  EXPECT_EQ(gAsked[0].text, u"Do You want to quit program?");
  EXPECT_EQ(gAsked[0].caption, u"Question");
  EXPECT_EQ(gAsked[0].icon, platform::MessageIcon::Question);

  gAnswer = platform::MessageAnswer::Ok;
  EXPECT_TRUE(ConfirmQuit(nullptr));
  EXPECT_EQ(gAsked.size(), 2u);

  RunningFileOperations() += 1;
  EXPECT_FALSE(ConfirmQuit(nullptr));
  RunningFileOperations() -= 1;
  ASSERT_EQ(gAsked.size(), 4u);
  EXPECT_EQ(gAsked[3].text, u"Please wait for completion of all file operations");
  EXPECT_EQ(gAsked[3].caption, u"Information");
  EXPECT_EQ(gAsked[3].icon, platform::MessageIcon::Information);
  platform::SetMessageHook(previous);
}

}  // namespace
}  // namespace nrv
