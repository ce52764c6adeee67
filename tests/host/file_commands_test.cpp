#include <gtest/gtest.h>

#include <filesystem>

#include "config/history.h"
#include "config/settings.h"
#include "fileops/make_folder.h"
#include "fileops/run_file.h"
#include "platform/portable/portable_controls.h"
#include "support/message_capture.h"

namespace nrv {
namespace {

TEST(RunFile, ConsoleProgramsRunThroughCmdAndPauseOthersAreOpened) {
  EXPECT_TRUE(IsConsoleProgram(0x00005A4D));
  EXPECT_FALSE(IsConsoleProgram(0x04004550));  // a windowed program has a version word
  EXPECT_EQ(ConsoleRunParameters(u"C:\\", u"t.exe"), u"/C \"\"C:\\t.exe\" & pause\"");

  platform::portable::ResetRegistry();
  platform::portable::TakeShellCalls();
  platform::portable::SetExecutableType(0x4550);
  RunFile(u"C:\\tools", u"t.exe");
  platform::portable::SetExecutableType(0);
  RunFile(u"C:\\docs", u"a.txt");
  const auto calls = platform::portable::TakeShellCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, u"C:\\windows\\system32\\cmd.exe");
  EXPECT_EQ(calls[0].parameters, u"/C \"\"C:\\tools\\t.exe\" & pause\"");
  EXPECT_EQ(calls[1].file, u"C:\\docs\\a.txt");
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), (std::vector<Text>{u"C:\\tools", u"C:\\docs"}));
}

TEST(MakeFolder, RelativeAndAbsoluteNamesTheLengthLimitAndTheTemporaryPanel) {
  EXPECT_EQ(FolderPathFor(u"a\\b", u"C:\\work\\"), u"C:\\work\\a\\b");
  EXPECT_EQ(FolderPathFor(u"D:\\x", u"C:\\work"), u"D:\\x");
  EXPECT_EQ(FolderPathFor(u"\\x", u"C:\\work"), u"\\x");

  // The chain itself is made end to end; here only what stops it.
  Panel panel;
  panel.path = std::filesystem::temp_directory_path().u16string();
  test::MessageCapture messages;
  EXPECT_EQ(CreateTypedFolder(panel, u"/" + Text(259, u'n')), -1);  // 260 with the root
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"File name too long");
  panel.temporary = 1;
  EXPECT_EQ(CreateTypedFolder(panel, u"x"), -1);
}

}  // namespace
}  // namespace nrv
