#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "config/settings.h"
#include "config/settings_store.h"
#include "core/listing.h"
#include "platform/registry.h"
#include "platform/win32/wide.h"
#include "shell/command_ids.h"
#include "shell/main_menu_win32.h"
#include "shell/options_commands_win32.h"
#include "shell/shell_windows.h"
#include "shell/toolbar_clicks_win32.h"
#include "support/message_capture.h"
#include "support/recording_window.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

bool Checked(uint32_t command) {
  return (::GetMenuState(MainMenuBar(), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Settings, panel and shell state that a test changes come back afterwards.
class MenuCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSettings_ = TheSettings();
    savedLeft_ = PanelOf(kLeftPanel);
    savedRight_ = PanelOf(kRightPanel);
    savedState_ = TheShellState();
    savedLeftItems_ = std::move(ItemsOf(kLeftPanel));
    savedRightItems_ = std::move(ItemsOf(kRightPanel));
    PanelOf(kLeftPanel).side = kLeftPanel;
    PanelOf(kRightPanel).side = kRightPanel;
    TheSettings().PanelShowToolbar = 1;
    TheSettings().PanelShowMenu = 1;
    TheSettings().ArrageHorizontal = 0;
    ASSERT_EQ(BuildMainMenu(), 0);
  }
  void TearDown() override {
    TheSettings() = savedSettings_;
    PanelOf(kLeftPanel) = savedLeft_;
    PanelOf(kRightPanel) = savedRight_;
    TheShellState() = savedState_;
    ItemsOf(kLeftPanel) = std::move(savedLeftItems_);
    ItemsOf(kRightPanel) = std::move(savedRightItems_);
  }

 private:
  Settings savedSettings_;
  Panel savedLeft_;
  Panel savedRight_;
  ShellState savedState_;
  ItemList savedLeftItems_;
  ItemList savedRightItems_;
};

#define NEED_WINDOW(window)                                                                     \
  if (!(window).Get() && !test::HasDisplay()) GTEST_SKIP() << "no display for a top-level window"; \
  ASSERT_NE((window).Get(), nullptr)

TEST_F(MenuCommands, SwitchesFlipWithTheirMarksAndHidingTheMenuIsAnnouncedOnce) {
  test::RecordingWindow window;  // may be none without a display; the switches work regardless
  test::MessageCapture capture;
  Settings& s = TheSettings();

  EXPECT_TRUE(HandleOptionsCommand(command::kShowToolbar));
  EXPECT_EQ(s.PanelShowToolbar, 0);
  EXPECT_FALSE(Checked(command::kShowToolbar));
  EXPECT_TRUE(HandleOptionsCommand(command::kShowToolbar));
  EXPECT_EQ(s.PanelShowToolbar, 1);
  EXPECT_TRUE(Checked(command::kShowToolbar));

  EXPECT_TRUE(HandleOptionsCommand(command::kVerticalArrangement));
  EXPECT_EQ(s.ArrageHorizontal, 1);
  EXPECT_TRUE(Checked(command::kVerticalArrangement));

  EXPECT_TRUE(HandleOptionsCommand(command::kAlwaysShowMenu));
  EXPECT_EQ(s.PanelShowMenu, 0);
  EXPECT_FALSE(Checked(command::kAlwaysShowMenu));
  EXPECT_TRUE(HandleOptionsCommand(command::kAlwaysShowMenu));
  EXPECT_EQ(s.PanelShowMenu, 1);
  EXPECT_TRUE(Checked(command::kAlwaysShowMenu));
  const auto messages = capture.Taken();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, u"Menu will be hidden. Use F9 to show menu.");
  EXPECT_EQ(messages[0].caption, u"Hide menu");
  EXPECT_EQ(messages[0].icon, platform::MessageIcon::Information);
  EXPECT_EQ(messages[0].buttons, platform::MessageButtons::Ok);
  EXPECT_EQ(messages[0].owner, nullptr);

  for (uint32_t other : {command::kPanelSettings, command::kLanguages, command::kEditorSettings, command::kViewBrief})
    EXPECT_FALSE(HandleOptionsCommand(other)) << other;
}

TEST_F(MenuCommands, SwitchesResizeTheWindowAndMoveTheBar) {
  test::RecordingWindow window;
  NEED_WINDOW(window);
  AttachMenu();
  test::MessageCapture capture;
  int sizes = test::Record().sizes;
  HandleOptionsCommand(command::kShowToolbar);
  EXPECT_EQ(test::Record().sizes, ++sizes);
  HandleOptionsCommand(command::kVerticalArrangement);
  EXPECT_EQ(test::Record().sizes, ++sizes);

  ASSERT_EQ(::GetMenu(window.Get()), MainMenuBar());
  HandleOptionsCommand(command::kAlwaysShowMenu);
  EXPECT_EQ(::GetMenu(window.Get()), nullptr);
  HandleOptionsCommand(command::kAlwaysShowMenu);
  EXPECT_EQ(::GetMenu(window.Get()), MainMenuBar());
}

TEST_F(MenuCommands, LoadDefaultsRereadsBothPanelsResizesAndRecoloursTheMenu) {
  test::RecordingWindow window;
  NEED_WINDOW(window);
  Settings& s = TheSettings();
  s.PanelShowMenu = 0;
  s.ClrPanelMenuBackgroundDefault = RGB(1, 99, 1);
  AttachMenu();
  test::Record() = {};

  EXPECT_TRUE(HandleOptionsCommand(command::kLoadDefaultConfiguration));
  Settings defaults;
  ApplyDefaults(defaults);
  EXPECT_EQ(s.ClrPanelMenuBackgroundDefault, defaults.ClrPanelMenuBackgroundDefault);
  EXPECT_EQ(s.PanelShowMenu, 1);
  EXPECT_EQ(::GetMenu(window.Get()), MainMenuBar());
  EXPECT_TRUE(Checked(command::kAlwaysShowMenu));

  const auto& record = test::Record();
  ASSERT_EQ(record.commands.size(), 1u);
  EXPECT_EQ(record.commands[0].wParam, command::kUpdateFileLists);
  EXPECT_EQ(record.commands[0].lParam, 0);
  ASSERT_FALSE(record.messages.empty());
  EXPECT_EQ(record.messages.back(), static_cast<UINT>(WM_SIZE)) << "the resize comes after the re-read";

  // The next drawing of an item takes the new colour.
  HDC screen = ::GetDC(nullptr);
  platform::MemoryCanvas canvas(screen, 100, 22);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = command::kLanguages;
  draw.hDC = canvas.Dc();
  draw.rcItem = {0, 0, 100, 22};
  draw.itemData = reinterpret_cast<ULONG_PTR>(L"Languages");
  OnDrawMenuItem(draw);
  EXPECT_EQ(::GetPixel(canvas.Dc(), 2, 2), defaults.ClrPanelMenuBackgroundDefault);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(MenuCommands, SaveWritesTheLiveStateOfPanelsShellAndWindow) {
  test::RecordingWindow window;  // without a display there is no rectangle to take: all 0
  platform::RegistryKey probe;
  const bool keyExisted = platform::OpenUserKey(kSettingsKeyPath, platform::RegistryAccess::Read, probe) == 0;
  probe.Reset();
  RECT expected{};
  if (window.Get()) {
    ::ShowWindow(window.Get(), SW_RESTORE);
    ::MoveWindow(window.Get(), 30, 40, 700, 450, FALSE);
    expected = {30, 40, 730, 490};
  }

  Panel& left = PanelOf(kLeftPanel);
  Panel& right = PanelOf(kRightPanel);
  left.sortMode = kSortWriteTime;
  left.viewMode = kViewMedium;
  left.briefColumns = 3;
  left.path = u"C:\\windows";
  right.sortMode = kSortUnsorted;
  right.viewMode = kViewFull;
  right.briefColumns = 4;
  right.path = u"C:\\";
  ShellState& state = TheShellState();
  state.windowsOffset = -20;
  state.viewerFontSize = 1002;
  state.statusFontFace = 1004;
  PanelFonts& fonts = FontsOf(kLeftPanel);
  const LOGFONTW savedFont = fonts.itemDescription;
  fonts.itemDescription.lfHeight = -17;
  wcscpy(fonts.itemDescription.lfFaceName, L"Tahoma");

  EXPECT_TRUE(HandleOptionsCommand(command::kSaveConfiguration));
  fonts.itemDescription = savedFont;
  Settings loaded;
  ASSERT_EQ(LoadSettings(loaded), 0);
  EXPECT_EQ(loaded.SortPanelLeft, kSortWriteTime);
  EXPECT_EQ(loaded.ModePanelLeft, kViewMedium);
  EXPECT_EQ(loaded.ModePanelLeftColumns, 3);
  EXPECT_EQ(loaded.PanelPathLeft, u"C:\\windows");
  EXPECT_EQ(loaded.SortPanelRight, kSortUnsorted);
  EXPECT_EQ(loaded.ModePanelRight, kViewFull);
  EXPECT_EQ(loaded.ModePanelRightColumns, 4);
  EXPECT_EQ(loaded.PanelPathRight, u"C:\\");
  EXPECT_EQ(loaded.WindowsOffset, -20);
  EXPECT_EQ(loaded.FontViewerSize, 1002);
  EXPECT_EQ(loaded.FontStatusbarFace, 1004);
  EXPECT_EQ(loaded.l_.lfHeight, -17);
  EXPECT_EQ(loaded.l_.lfFaceName, u"Tahoma");
  EXPECT_EQ(loaded.WindowLeft, expected.left);
  EXPECT_EQ(loaded.WindowTop, expected.top);
  EXPECT_EQ(loaded.WindowRight, expected.right);
  EXPECT_EQ(loaded.WindowBottom, expected.bottom);
  if (!keyExisted) platform::DeleteUserKey(kSettingsKeyPath);
}

TEST_F(MenuCommands, HoverHighlightsOnlyOverAButtonWhileTheToolbarShows) {
  ShellState& state = TheShellState();
  state.highlightedTool = -1;
  OnToolbarHover(70, 5);
  EXPECT_EQ(state.highlightedTool, 1);
  OnToolbarHover(70, 21);  // below the buttons: the last highlight stays
  OnToolbarHover(900, 5);
  EXPECT_EQ(state.highlightedTool, 1);
  OnToolbarHover(64, 20);  // a shared edge belongs to the left button
  EXPECT_EQ(state.highlightedTool, 0);

  TheSettings().PanelShowToolbar = 0;
  OnToolbarHover(700, 5);
  EXPECT_EQ(state.highlightedTool, 0);
  TheSettings().PanelShowToolbar = 1;
  state.editorOpen = true;
  OnToolbarHover(700, 5);
  EXPECT_EQ(state.highlightedTool, 0);
  state.editorOpen = false;
  OnToolbarHover(700, 5);
  EXPECT_EQ(state.highlightedTool, 11);
}

TEST_F(MenuCommands, BackGoesUpInTheActivePanelOnly) {
  test::TempFolder folder;
  const Text outer = platform::FromWide(folder.Path().c_str());
  const Text inner = platform::FromWide(folder.MakeFolder("inner").c_str());
  for (int side : {kLeftPanel, kRightPanel}) {
    PanelOf(side).path = inner;
    ASSERT_EQ(ReadFolder(PanelOf(side), ItemsOf(side)), 0);
  }
  PanelOf(kLeftPanel).active = 0;
  PanelOf(kRightPanel).active = 0;
  OnToolbarClick(30, 5);
  EXPECT_EQ(PanelOf(kLeftPanel).path, inner) << "no active panel, no action";

  PanelOf(kRightPanel).active = 1;
  OnToolbarClick(64, 20);  // the shared edge of "back" and "path" is "back"'s
  EXPECT_EQ(PanelOf(kRightPanel).path, outer);
  EXPECT_EQ(PanelOf(kLeftPanel).path, inner);
  OnToolbarClick(30, 21);  // below the buttons
  EXPECT_EQ(PanelOf(kRightPanel).path, outer);
}

bool DrawnWith(UINT id, UINT state) {
  const auto& drawn = test::Record().drawn;
  return std::any_of(drawn.begin(), drawn.end(),
                     [&](const auto& item) { return item.first == id && (item.second & ODS_CHECKED) == state; });
}

TEST_F(MenuCommands, ModeAndSortButtonsPopUpTheActivePanelsSubmenus) {
  test::RecordingWindow window;
  NEED_WINDOW(window);
  Panel& left = PanelOf(kLeftPanel);
  Panel& right = PanelOf(kRightPanel);
  left.sortMode = kSortWriteTime;
  UpdateCheckMarks();

  left.active = 0;
  right.active = 0;
  {
    test::MenuDriver driver({});
    OnToolbarClick(190, 5);
  }
  EXPECT_TRUE(test::Record().popups.empty()) << "no active panel, no popup";

  left.active = 1;
  {
    test::MenuDriver driver({});
    OnToolbarClick(190, 5);
  }
  ASSERT_EQ(test::Record().popups.size(), 1u);
  EXPECT_EQ(test::Record().popups[0], SubmenusOf(kLeftPanel).sort);
  EXPECT_TRUE(DrawnWith(command::kSortWriteTime, ODS_CHECKED)) << "the current sort mode shows its mark";
  EXPECT_TRUE(DrawnWith(command::kSortName, 0));
  EXPECT_TRUE(test::Record().commands.empty()) << "a closed popup sends nothing";

  left.active = 0;
  right.active = 1;
  test::Record() = {};
  {
    test::MenuDriver driver({VK_DOWN, VK_RETURN});
    OnToolbarClick(130, 5);
  }
  ASSERT_EQ(test::Record().popups.size(), 1u);
  EXPECT_EQ(test::Record().popups[0], SubmenusOf(kRightPanel).mode);
  ASSERT_EQ(test::Record().commands.size(), 1u);
  EXPECT_EQ(LOWORD(test::Record().commands[0].wParam), command::kViewBrief + command::kRightPanelOffset);
}

}  // namespace
}  // namespace nrv
