#include <gtest/gtest.h>

#include <filesystem>

#include "config/history.h"
#include "config/settings.h"
#include "core/listing.h"
#include "fileops/make_folder.h"
#include "fileops/run_file.h"
#include "platform/portable/portable_controls.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

TEST(RunFile, ConsoleProgramsStayOpenOthersAreOpened) {
  EXPECT_TRUE(IsConsoleProgram(0x00004550));
  EXPECT_TRUE(IsConsoleProgram(0x00005A4D));
  EXPECT_FALSE(IsConsoleProgram(0x04004550));  // a windowed program has a version word
  EXPECT_EQ(ConsoleRunParameters(u"C:\\tools", u"t.exe"), u"/C \"\"C:\\tools\\t.exe\" & pause\"");
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
  EXPECT_TRUE(calls[1].parameters.empty());
  EXPECT_EQ(ReadHistory(kHistoryRecentLocations), (std::vector<Text>{u"C:\\tools", u"C:\\docs"}));
}

TEST(RunFile, NoAssociationShowsCode31WithThePath) {
  test::MessageCapture messages;
  platform::portable::SetShellExecuteResult(31);
  OpenWithAssociation(u"/tmp/doc.xyz");
  platform::portable::SetShellExecuteResult(42);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_NE(messages.Taken()[0].text.find(u"no application associated"), Text::npos);
  EXPECT_NE(messages.Taken()[0].text.find(u" \r\n/tmp/doc.xyz"), Text::npos);
  platform::portable::TakeShellCalls();
}

TEST(MakeFolder, ChainsRelativeAndAbsoluteNamesAndTheLengthLimit) {
  EXPECT_EQ(FolderPathFor(u"a\\b", u"C:\\work\\"), u"C:\\work\\a\\b");
  EXPECT_EQ(FolderPathFor(u"a", u"C:\\work"), u"C:\\work\\a");
  EXPECT_EQ(FolderPathFor(u"D:\\x", u"C:\\work"), u"D:\\x");
  EXPECT_EQ(FolderPathFor(u"\\x", u"C:\\work"), u"\\x");

  platform::portable::ResetRegistry();
  TheSettings() = Settings{};
  test::TempFolder folder;
  Panel panel;
  panel.path = folder.Path().u16string();
  ASSERT_EQ(CreateTypedFolder(panel, u"a\\b\\c"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "a" / "b" / "c"));
  EXPECT_EQ(ReadHistory(kHistoryCreateFolder), std::vector<Text>{u"a\\b\\c"});

  ItemList list;
  TheSettings().PanelAutoUpdatePanels = 0;
  ASSERT_EQ(ReadFolder(panel, list), 0);
  panel.top = 1;
  PlaceCursorOnCreated(panel, list, u"a\\b\\c");
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"a");
  EXPECT_EQ(panel.top, panel.cursor);

  test::MessageCapture messages;
  const size_t room = 259 - panel.path.size() - 1;
  EXPECT_EQ(CreateTypedFolder(panel, Text(room + 1, u'n')), -1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"File name too long");
  EXPECT_EQ(messages.Taken()[0].icon, platform::MessageIcon::Error);
  panel.temporary = 1;
  EXPECT_EQ(CreateTypedFolder(panel, u"x"), -1);
}

}  // namespace
}  // namespace nrv
