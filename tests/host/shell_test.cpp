// Start-up paths, error reports and the menu and key models: what the shell decides before any
// window sees it.
#include <gtest/gtest.h>

#include "support/test_context.h"

#include <set>

#include "core/drive_table.h"
#include "panel/location_menu_model.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "shell/command_ids.h"
#include "platform/error_report.h"
#include "shell/key_table.h"
#include "shell/menu_model.h"
#include "shell/start_paths.h"
#include "shell/toolbar_model.h"
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
  Panel left = AttachedPanel(), right = AttachedPanel();
  left.side = kLeftPanel;
  right.side = kRightPanel;
  right.drive.totalBytes = 5;
  TakeStartDrive(left, u"d:\\music", drives);
  EXPECT_EQ(left.drive.type, platform::kDriveCdRom);
  EXPECT_EQ(left.drive.totalBytes, 700u);
  TakeStartDrive(right, u"\\\\server\\share", drives);
  EXPECT_EQ(right.drive.type, platform::kDriveRemote);
  EXPECT_EQ(right.drive.totalBytes, 0u);
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
  // A refused login keeps the server's reply beside the code.
  EXPECT_EQ(ErrorReportText(u"Failed connect to: h:21", 12015, u"", u"530 Authentication failed."),
            u"Failed connect to: h:21\n\nError 12015\n530 Authentication failed.");
}

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<uint32_t>& out) {
  for (const auto& entry : entries) {
    if (entry.kind == MenuEntry::Kind::Item) out.push_back(entry.command);
    CollectCommands(entry.children, out);
  }
}

TEST(MainMenu, TheRightPanelMenuIsTheLeftOneShiftedAndNoCommandRepeats) {
  const auto menu = MainMenuModel();
  ASSERT_EQ(menu.size(), 5u);
  // The two panel menus differ in their labels as users know them.
  EXPECT_EQ(menu[0].entries[0].text, u"Source\t Alt+F1");
  EXPECT_EQ(menu[4].entries[0].text, u"SourceAlt+F2");
  std::vector<uint32_t> left, right, all;
  CollectCommands(menu[0].entries, left);
  CollectCommands(menu[4].entries, right);
  ASSERT_EQ(left.size(), right.size());
  for (size_t i = 0; i < left.size(); ++i) EXPECT_EQ(right[i], left[i] + 2000);
  for (const auto& popup : menu) CollectCommands(popup.entries, all);
  EXPECT_EQ(std::set<uint32_t>(all.begin(), all.end()).size(), all.size());
  EXPECT_EQ(MenuIconForCommand(command::kViewBrief + 2000), MenuIconForCommand(command::kViewBrief));
  // A long first piece pushes the key right of its end.
  EXPECT_EQ(MenuPieceOffsets({30, 20}, 222), (std::vector<int>{22, 202}));
  EXPECT_EQ(MenuPieceOffsets({195, 20}, 222), (std::vector<int>{22, 217}));
}

TEST(Toolbar, SharedEdgesCountForTheLeftButton) {
  EXPECT_EQ(ToolbarButtonAt(64, 10), 0);
  EXPECT_EQ(ToolbarButtonAt(65, 10), 1);
  EXPECT_EQ(ToolbarButtonAt(734, 20), 11);
  EXPECT_EQ(ToolbarButtonAt(735, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(3, 5), -1);
  EXPECT_EQ(ToolbarButtonAt(100, 21), -1);
}

TEST(LocationMenu, DriveSizesAndRecentLocationsNewestFirstOrEmpty) {
  DriveTable drives;
  drives.rows.push_back({3, 2'000'000'000, 1'500'000, u"C:\\", u"System"});
  drives.rows.push_back({5, 0, 0, u"D:\\", u" "});
  Panel panel = AttachedPanel();
  panel.path = u"c:\\work";
  const std::vector<Text> recent{u"C:\\old", u"C:\\new"};
  const auto menu = LocationMenuModel(panel, drives, {u"C:\\Desktop"}, recent);
  EXPECT_EQ(menu[0].text, u"C: Fixed \t System \t 1465 K/2 G");
  EXPECT_EQ(menu[1].text, u"D: CD-ROM \t  ");  // no medium: no sizes
  ASSERT_EQ(menu[11].children.size(), 2u);
  EXPECT_EQ(menu[11].children[0].text, u"C:\\new");
  EXPECT_EQ(RecentLocationOfCommand(3600, recent), u"C:\\new");
  EXPECT_EQ(RecentLocationOfCommand(3602, recent), u"");
  const auto none = LocationMenuModel(panel, drives, {}, {});
  ASSERT_EQ(none[11].children.size(), 1u);
  EXPECT_EQ(none[11].children[0].text, u"Empty");
  EXPECT_TRUE(none[11].children[0].disabled);
}

KeyState Plain(uint32_t key) { return {key, false, false, false}; }
KeyState Alt(uint32_t key) { return {key, false, false, true}; }

TEST(KeyTables, CtrlBeforeShiftAndTheLoopKeysExceptions) {
  EXPECT_EQ(PanelKeyAction({vk::kF8, true, true, false}), PanelKey::SortCreationTime);
  EXPECT_EQ(PanelKeyAction({vk::kF8, false, true, false}), PanelKey::DeletePermanently);
  EXPECT_EQ(PanelKeyAction(Plain(vk::kA)), PanelKey::None);  // letters are typed, not keys
  EXPECT_EQ(PanelKeyAction(Alt(vk::kF3)), PanelKey::None);
  const ShellModes panels{}, viewer{true, false}, editor{false, true};
  EXPECT_EQ(LoopKeyAction(Plain(vk::kF9), viewer), LoopKey::Swallow);  // dropped, no menu
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), viewer), LoopKey::OtherPanel);
  EXPECT_EQ(LoopKeyAction(Plain(vk::kTab), editor), LoopKey::None);
  EXPECT_EQ(LoopKeyAction(Alt(vk::kF1), editor), LoopKey::Swallow);
  EXPECT_EQ(LoopKeyAction(Alt(0x73), panels), LoopKey::Swallow);  // Alt+F4
  EXPECT_FALSE(StartsQuickSearch(u'a', true));
  EXPECT_FALSE(StartsQuickSearch(u'+', false));
  EXPECT_FALSE(StartsQuickSearch(u'-', false));
  EXPECT_TRUE(StartsQuickSearch(u'\u0436', false));
}

}  // namespace
}  // namespace nrv
