// The settings dialogs under Wine, driven from inside their own loops: the resources' controls
// and texts, what a click changes at once, Cancel, the colour chooser and the file dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "config/dialog_store.h"
#include "config/settings_dialog_ids.h"
#include "config/settings_dialogs_win32.h"
#include "core/settings.h"
#include "support/settings_records.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

using test::Click;
using test::Driver;
using test::TextOf;

constexpr RECT kMain{100, 80, 901, 681};

std::vector<std::string> calls;
void Redraw() { calls.push_back("redraw"); }
void Reread() { calls.push_back("reread"); }
void Remake() { calls.push_back("remake"); }

bool Checked(HWND dialog, int box) { return ::IsDlgButtonChecked(dialog, box) == BST_CHECKED; }

class SettingsDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (test::DisplayAvailable()) main_ = new test::StandInWindow(kMain, true);
  }
  static void TearDownTestSuite() { delete main_; }
  void SetUp() override {
    if (!main_) GTEST_SKIP() << "no X display for Wine's windows";
    settings_ = test::NonDefault();
    calls.clear();
    hooks_.owner = main_->Get();
    hooks_.redraw = &Redraw;
    hooks_.rereadPanels = &Reread;
    hooks_.remakeDrawing = &Remake;
    hooks_.customColours = custom_;
  }

  template <typename Open>
  int Play(std::vector<Driver::Step> steps, Open open) {
    Driver driver(std::move(steps));
    const int result = open(settings_, hooks_);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_FALSE(driver.ClosedByForce());
    return result;
  }

  static inline test::StandInWindow* main_ = nullptr;
  Settings settings_;
  SettingsDialogHooks hooks_;
  uint32_t custom_[16] = {};
};

TEST_F(SettingsDialogs, PanelSwitchesChangeAtOnceCancelRestoresThemAndTheFrameKeepsThem) {
  const auto clicks = [&](HWND dialog) {
    calls.clear();
    EXPECT_EQ(TextOf(dialog), L"Panel settings");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_SHOW_PANEL_STATUSBAR)), L"Show panel status bar");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_ALLOW_DRAGDROP)), L"Allow drag and drop files");
    EXPECT_FALSE(Checked(dialog, IDC_SHOW_PANEL_STATUSBAR));
    EXPECT_TRUE(Checked(dialog, IDC_LARGE_ICONS));
    RECT own{};
    ::GetWindowRect(dialog, &own);
    EXPECT_EQ(own.left, kMain.left + ((kMain.right - kMain.left) - (own.right - own.left)) / 2);
    EXPECT_EQ(own.top, kMain.top + ((kMain.bottom - kMain.top) - (own.bottom - own.top)) / 2);
    Click(dialog, IDC_SHOW_PANEL_STATUSBAR);
    EXPECT_EQ(settings_.PanelShowPanelStatusbar, 1);
    EXPECT_EQ(calls, std::vector<std::string>{"redraw"});
    Click(dialog, IDC_LARGE_ICONS);
    EXPECT_EQ(settings_.PanelLargeIcons, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"redraw", "reread", "redraw"}));
  };
  EXPECT_EQ(Play({clicks, [](HWND dialog) { Click(dialog, IDCANCEL); }}, &PanelSettingsDialog), kDialogCancel);
  EXPECT_EQ(settings_.PanelShowPanelStatusbar, 0);
  EXPECT_EQ(settings_.PanelLargeIcons, 1);
  EXPECT_EQ(calls.back(), "reread") << "icons of the size taken back";

  EXPECT_EQ(Play({clicks, [](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                 &PanelSettingsDialog),
            kDialogCancel);
  EXPECT_EQ(settings_.PanelShowPanelStatusbar, 1) << "closing by the frame restores nothing";
  EXPECT_EQ(settings_.PanelLargeIcons, 0);
}

TEST_F(SettingsDialogs, SchemesApplyAtOnceAndAPickedColourSwitchesTheListToUserDefined) {
  settings_.ColorScheme = kSchemeWhite;
  const auto choose = [](HWND dialog, int index) {
    const HWND list = ::GetDlgItem(dialog, IDC_COLOR_SCHEME);
    ::SendMessageW(list, CB_SETCURSEL, index, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COLOR_SCHEME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  };
  const auto shown = [](HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_GETCURSEL, 0, 0));
  };
  const auto gray = [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), L"Colors");
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_GETCOUNT, 0, 0), 5);
    wchar_t entry[32] = {};
    ::SendDlgItemMessageW(dialog, IDC_COLOR_SCHEME, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"User defined");
    EXPECT_EQ(shown(dialog), kSchemeWhite);
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_CLR_SELECTED_BACKGROUND)), L"Cursor background");
    EXPECT_NE(::GetDlgItem(dialog, IDC_CLR_SELECTED_BACKGROUND + IDC_SWATCH_OFFSET), nullptr);
    choose(dialog, kSchemeGray);
    EXPECT_EQ(settings_.ColorScheme, kSchemeGray);
    EXPECT_EQ(settings_.ClrPanelBackground, 0x282828u);
    EXPECT_EQ(calls, (std::vector<std::string>{"remake", "redraw"}));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLR_PANEL_BACKGROUND, BN_CLICKED), 0);
  };
  // The chooser opens on the current colour with its fields; its red goes to 30.
  const auto pick = [&](HWND chooser) {
    EXPECT_NE(TextOf(chooser), L"Colors");
    ::SetDlgItemInt(chooser, 706, 30, FALSE);
    Click(chooser, IDOK);
  };
  const auto userDefined = [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), L"Colors");
    EXPECT_EQ(shown(dialog), kSchemeUserDefined);
    EXPECT_EQ(settings_.ColorScheme, kSchemeUserDefined);
    EXPECT_EQ(settings_.ClrPanelBackground, 0x28281Eu);
    Click(dialog, IDCANCEL);
  };
  EXPECT_EQ(Play({gray, pick, userDefined}, &ColoursDialog), kDialogCancel);
  EXPECT_EQ(settings_.ClrPanelBackground, 0x28281Eu) << "Cancel takes no colour back";
  EXPECT_EQ(calls, (std::vector<std::string>{"remake", "redraw", "remake", "redraw"}));
}

TEST_F(SettingsDialogs, TheProgramFieldFollowsItsBoxOkTakesItAndACancelledBrowseEmptiesIt) {
  settings_.UseExternalViewer = 0;
  const auto editable = [](HWND dialog) {
    const bool writable = (::GetWindowLongW(::GetDlgItem(dialog, IDC_VIEWER_PROGRAM), GWL_STYLE) & ES_READONLY) == 0;
    const bool browse = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_VIEWER_BROWSE)) != FALSE;
    EXPECT_EQ(writable, browse);
    return writable;
  };
  const auto check = [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), L"Viewer settings");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_USE_EXTERNAL)), L"Use external viewer:");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_VIEWER_PROGRAM)), L"C:\\Tools\\view.exe");
    EXPECT_FALSE(editable(dialog));
    Click(dialog, IDC_USE_EXTERNAL);
    EXPECT_TRUE(editable(dialog));
    ::SetDlgItemTextW(dialog, IDC_VIEWER_PROGRAM, std::wstring(300, L'v').c_str());
    Click(dialog, IDC_VIEWER_SAVE_POSITION);
    EXPECT_EQ(settings_.UseExternalViewer, 0) << "taken at OK only";
    Click(dialog, IDOK);
  };
  EXPECT_EQ(Play({check}, &ViewerSettingsDialog), kDialogOk);
  EXPECT_EQ(settings_.UseExternalViewer, 1);
  EXPECT_EQ(settings_.ViewerSavePosition, 1);
  EXPECT_EQ(settings_.ExternalViewer, Text(259, u'v'));

  const auto browse = [](HWND dialog) {
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_VIEWER_BROWSE)));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_VIEWER_BROWSE, BN_CLICKED), 0);
  };
  const auto cancelFiles = [](HWND files) {
    EXPECT_EQ(TextOf(files), L"Select file...");
    Click(files, IDCANCEL);
  };
  const auto cancelSettings = [&](HWND dialog) {
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_VIEWER_PROGRAM)), L"");
    Click(dialog, IDCANCEL);
  };
  EXPECT_EQ(Play({browse, cancelFiles, cancelSettings}, &ViewerSettingsDialog), kDialogCancel);
  EXPECT_EQ(settings_.ExternalViewer, u"") << "emptied at once, whatever the dialog ends with";

  settings_.EditorWordWrap = 0;
  EXPECT_EQ(Play({[](HWND dialog) {
                    EXPECT_EQ(TextOf(dialog), L"Editor settings");
                    Click(dialog, IDC_EDITOR_WORD_WRAP);
                    Click(dialog, IDOK);
                  }},
                 &EditorSettingsDialog),
            kDialogOk);
  EXPECT_EQ(settings_.EditorWordWrap, 1);
  EXPECT_EQ(settings_.ExternalEditor, u"C:\\Tools\\edit.exe");
}

}  // namespace
}  // namespace nrv
