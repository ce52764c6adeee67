// The program's dialogs under Wine, driven from inside their own loops: the prompt with its
// history, the password request, the quick search box and the folder picker.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>


#include "config/dialog_ids.h"
#include "config/history.h"
#include "config/password_dialog_win32.h"
#include "config/prompt_dialog_win32.h"
#include "config/quick_search_win32.h"
#include "core/listing.h"
#include "core/settings.h"
#include "panel/browse_folder_win32.h"
#include "panel/update_panel.h"
#include "panel/update_target_win32.h"
#include "platform/registry.h"
#include "platform/win32/wide.h"
#include "support/item_names.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

using test::Click;
using test::Driver;
using test::TextOf;

constexpr RECT kMain{100, 80, 901, 681};  // odd sizes catch rounding in the centring

void Close(HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }
void Escape(HWND dialog) { test::PostKey(::GetFocus() ? ::GetFocus() : dialog, VK_ESCAPE); }

class WineDialogs : public ::testing::Test {
 protected:
  // One main window for the suite: every window Wine hides costs time without a window manager.
  static void SetUpTestSuite() {
    if (test::DisplayAvailable()) main_ = new test::StandInWindow(kMain, true);
  }
  static void TearDownTestSuite() { delete main_; }
  void SetUp() override {
    if (!main_) GTEST_SKIP() << "no X display for Wine's windows";
    TheSettings() = Settings{};
    platform::DeleteUserKey(HistoryKeyPath(kHistoryCreateFolder));
  }
  void TearDown() override { platform::DeleteUserKey(HistoryKeyPath(kHistoryCreateFolder)); }

  // Runs a dialog with steps played against it; the steps must end it.
  template <typename Run>
  static int Play(std::vector<Driver::Step> steps, Run run) {
    Driver driver(std::move(steps));
    const int result = run();
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_FALSE(driver.ClosedByForce());
    return result;
  }
  static int Prompt(TextView start, Text& out, std::vector<Driver::Step> steps) {
    return Play(std::move(steps), [&] {
      return PromptDialog(TheShellWindows().main, start, u"Make folder", u"Name of the new folder:", out, kHistoryCreateFolder);
    });
  }

  static inline test::StandInWindow* main_ = nullptr;
};

TEST_F(WineDialogs, PromptShowsItsTextsAndHistoryNewestFirstAndReturnsTheTypedText) {
  for (const char16_t* entry : {u"oldest", u"middle", u"newest"}) AddHistory(TheSettings(), kHistoryCreateFolder, entry);
  Text out;
  EXPECT_EQ(Prompt(u"preset", out,
                   {[](HWND dialog) {
                      EXPECT_EQ(TextOf(dialog), L"Make folder");
                      EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_PROMPT_LABEL)), L"Name of the new folder:");
                      EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDCANCEL)), L"\u041E\u0442\u043C\u0435\u043D\u0430");
                      const HWND combo = ::GetDlgItem(dialog, IDC_PROMPT_COMBO);
                      wchar_t entry[16] = {};
                      EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
                      ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
                      EXPECT_STREQ(entry, L"newest");
                      ::SendMessageW(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry));
                      EXPECT_STREQ(entry, L"oldest");
                      EXPECT_EQ(TextOf(combo), L"preset");
                      EXPECT_TRUE(::IsChild(combo, ::GetFocus()) || ::GetFocus() == combo);
                      RECT own{};  // centred on the main window
                      ::GetWindowRect(dialog, &own);
                      EXPECT_EQ(own.left, kMain.left + (kMain.right - kMain.left) / 2 - (own.right - own.left) / 2);
                      EXPECT_EQ(own.top, kMain.top + (kMain.bottom - kMain.top) / 2 - (own.bottom - own.top) / 2);
                      ::SetWindowTextW(combo, std::wstring(300, L'x').c_str());
                    },
                    [](HWND dialog) { Click(dialog, IDOK); }}),
            kDialogOk);
  EXPECT_EQ(out, Text(259, u'x')) << "longer text is cut";
  EXPECT_EQ(ReadHistory(kHistoryCreateFolder).size(), 3u) << "the caller adds the answer, not the dialog";
}

TEST_F(WineDialogs, PasswordIsHiddenAndKeptAfterOkAndCancelsClearItAndThePromptsText) {
  const auto typePassword = [](HWND dialog) {
    const HWND edit = ::GetDlgItem(dialog, IDC_PASSWORD_EDIT);
    EXPECT_NE(::GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(::GetFocus(), edit);
    ::SetWindowTextW(edit, L"s3cr\u00E9t");
  };
  Text password;
  EXPECT_EQ(Play({typePassword, [](HWND dialog) { Click(dialog, IDOK); }}, [&] { return PasswordDialog(TheShellWindows().main, password); }), kDialogOk);
  EXPECT_EQ(password, u"s3cr\u00E9t");
  for (const Driver::Step& cancel : {Driver::Step([](HWND d) { Click(d, IDCANCEL); }), Driver::Step(&Close),
                                     Driver::Step(&Escape)}) {
    Text out = u"left over";
    EXPECT_EQ(Prompt(u"typed", out, {cancel}), kDialogCancel);
    EXPECT_EQ(out, u"");
    EXPECT_EQ(Play({typePassword, cancel}, [&] { return PasswordDialog(TheShellWindows().main, password); }),
              kDialogCancel);
    EXPECT_EQ(password, u"");
  }
}

int redraws = 0;
void CountRedraw(ItemList&, Panel&) { ++redraws; }

HWND SearchEdit(HWND dialog) { return ::GetDlgItem(dialog, IDC_QUICK_SEARCH_EDIT); }

TEST_F(WineDialogs, QuickSearchMovesTheCursorFoldingCaseOrRefusesTheCharacter) {
  ItemList list;
  for (const char16_t* name : {u"..", u"Reports", u"readme.txt", u"rabbit", u"\u0434\u0430\u043D\u043D\u044B\u0435"})
    Append(list, NewItem(name));
  Panel panel = test::ApplicationPanel();
  panel.itemCount = Count(list), panel.columns = 1, panel.visibleCount = 4;
  panel.cursor = 1;  // the panel's command has already jumped to "r": Reports
  const RECT place{40, 60, 541, 461};
  test::StandInWindow panelWindow(place, false);
  redraws = 0;
  const auto search = [&](TextView start, std::vector<Driver::Step> steps) {
    return Play(std::move(steps), [&] { return QuickSearch(panelWindow.Get(), start, panel, list, &CountRedraw); });
  };
  const auto type = [](HWND dialog, const wchar_t* text) {
    for (; *text; ++text) test::TypeCharacter(SearchEdit(dialog), *text);
  };
  const auto typeAndCheck = [&](HWND dialog) {
    EXPECT_EQ(::GetFocus(), SearchEdit(dialog));
    RECT box{};
    ::GetWindowRect(dialog, &box);
    EXPECT_EQ(box.left, place.left + (place.right - place.left) / 2 - (box.right - box.left) / 2);
    EXPECT_EQ(box.top, place.bottom - (box.bottom - box.top) + 6) << "over the panel's lower edge";
    type(dialog, L"Ea");
    EXPECT_EQ(panel.cursor, 2);
    EXPECT_EQ(redraws, 2);
    type(dialog, L"x");  // nothing continues "rEa" with x
    EXPECT_EQ(TextOf(SearchEdit(dialog)), L"rEa");
    EXPECT_EQ(redraws, 2);
    type(dialog, L"\b\bA");  // matched against the shortened text
    EXPECT_EQ(TextOf(SearchEdit(dialog)), L"rA");
    EXPECT_EQ(panel.cursor, 3);
    EXPECT_EQ(panel.top, 1);  // centred: 3 - 4 / 2
  };
  EXPECT_EQ(search(u"r", {typeAndCheck, [](HWND dialog) { test::PostKey(SearchEdit(dialog), VK_RETURN); }}), kDialogOk);
  EXPECT_EQ(search(u"", {[&](HWND dialog) { type(dialog, L"\u0414"); }, &Escape}), kDialogCancel);
  EXPECT_EQ(panel.cursor, 4) << "Cyrillic folds too, and the cursor stays where the search left it";
  EXPECT_EQ(search(u"n", {&Close}), kDialogCancel);
}

TEST_F(WineDialogs, FolderPickerMovesThePanelToThePickedFolder) {
  const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  test::TempFolder temp;
  const auto folder = temp.MakeFolder("Target");
  temp.MakeFile("Target/inside.txt");
  Panel panel = test::ApplicationPanel();
  ItemList list;
  const auto select = [&](HWND dialog) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
  };
  const auto pick = [&] { return BrowseForFolder(panel, list); };
  EXPECT_EQ(Play({select, select, [](HWND dialog) { Click(dialog, IDOK); }}, pick), 0);
  EXPECT_EQ(::lstrcmpiW(platform::Wide(panel.path), folder.c_str()), 0) << ToUtf8(panel.path);
  EXPECT_EQ(test::Names(list), (std::vector<Text>{u"..", u"inside.txt"}));
  if (com) ::CoUninitialize();
}

// A worker's re-read request that arrives while a prompt is open waits until the prompt is gone:
// the command that asks may still hold the panel's items.
TEST_F(WineDialogs, AReReadAskedForWhileAPromptIsOpenWaitsUntilThePromptHasGone) {
  test::TempFolder folder;
  folder.MakeFile("kept.txt", 1);
  Panel panel = test::ApplicationPanel();
  ItemList list;
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", kept.txt
  const PanelItem* held = list.items[1];
  PanelContext& context = TheApplication().context;
  context.pendingUpdates = 0;
  context.updateTarget = main_->Get();
  test::Record() = {};
  test::Record().onUpdate = [&](LPARAM) { UpdatePanel(panel, list); };
  Text out;
  Prompt({}, out,
         {[&](HWND) {
            folder.MakeFile("new.txt");
            PostUpdateRequest(context, kLeftPanel);
          },
          [](HWND) {},  // the prompt's loop runs with the request on the queue
          [&](HWND dialog) {
            EXPECT_TRUE(test::UpdateSink::Sides().empty());
            EXPECT_EQ(list.items[1], held);
            EXPECT_EQ(Count(list), 2);
            Click(dialog, IDOK);
          }});
  test::WaitUntil([] { return !test::UpdateSink::Sides().empty(); }, 5000, test::PumpBriefly);
  EXPECT_EQ(test::UpdateSink::Sides(), std::vector<LPARAM>{kLeftPanel});
  EXPECT_EQ(Count(list), 3);
  context.updateTarget = nullptr;
  test::Record() = {};
}

}  // namespace
}  // namespace nrv
