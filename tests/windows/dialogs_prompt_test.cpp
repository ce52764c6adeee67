#include <gtest/gtest.h>
#include <windows.h>

#include "config/dialog_ids.h"
#include "config/history.h"
#include "config/password_dialog_win32.h"
#include "config/prompt_dialog_win32.h"
#include "config/settings.h"
#include "platform/registry.h"
#include "support/dialog_driver.h"

namespace nrv {
namespace {

using test::Click;
using test::DialogDriver;
using test::TextOf;

constexpr RECT kMain{100, 80, 901, 681};  // odd sizes catch rounding in the centring

std::vector<std::wstring> ComboEntries(HWND combo) {
  std::vector<std::wstring> entries;
  const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring entry(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    entry.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
    entries.push_back(entry);
  }
  return entries;
}

void ExpectCentredOnMain(HWND dialog) {
  RECT own{};
  ::GetWindowRect(dialog, &own);
  const int mainWidth = kMain.right - kMain.left, mainHeight = kMain.bottom - kMain.top;
  EXPECT_EQ(own.left, kMain.left + mainWidth / 2 - (own.right - own.left) / 2);
  EXPECT_EQ(own.top, kMain.top + mainHeight / 2 - (own.bottom - own.top) / 2);
}

class WineDialogs : public ::testing::Test {
 protected:
  // One main window for the suite: every window Wine hides costs time without a window manager.
  static void SetUpTestSuite() {
    if (test::DisplayAvailable())
      main_ = new test::StandInWindow(kMain.left, kMain.top, kMain.right - kMain.left, kMain.bottom - kMain.top, true);
  }
  static void TearDownTestSuite() {
    delete main_;
    main_ = nullptr;
  }
  void SetUp() override {
    if (!main_) GTEST_SKIP() << "no X display for Wine's windows";
    TheSettings() = Settings{};
    platform::DeleteUserKey(HistoryKeyPath(kHistoryCreateFolder));
  }
  void TearDown() override { platform::DeleteUserKey(HistoryKeyPath(kHistoryCreateFolder)); }

  // Runs the prompt with steps played against it; the steps must end it.
  int Prompt(TextView start, Text& out, std::vector<DialogDriver::Step> steps) {
    DialogDriver driver(std::move(steps));
    const int result = PromptDialog(start, u"Make folder", u"Name of the new folder:", out, kHistoryCreateFolder);
    EXPECT_TRUE(driver.AllStepsRan());
    EXPECT_FALSE(driver.ClosedByForce());
    return result;
  }

  static inline test::StandInWindow* main_ = nullptr;
};

TEST_F(WineDialogs, PromptShowsItsTextsAndHistoryNewestFirstAndReturnsTheTypedText) {
  for (const char16_t* entry : {u"oldest", u"middle", u"newest"}) AddHistory(kHistoryCreateFolder, entry);
  Text out = u"left over";
  const int result =
      Prompt(u"preset", out,
             {[](HWND dialog) {
                EXPECT_EQ(TextOf(dialog), L"Make folder");
                EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_PROMPT_LABEL)), L"Name of the new folder:");
                EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDCANCEL)), L"\u041E\u0442\u043C\u0435\u043D\u0430");
                EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDOK)), L"OK");
                const HWND combo = ::GetDlgItem(dialog, IDC_PROMPT_COMBO);
                EXPECT_EQ(ComboEntries(combo), (std::vector<std::wstring>{L"newest", L"middle", L"oldest"}));
                EXPECT_EQ(TextOf(combo), L"preset");
                EXPECT_TRUE(::IsChild(combo, ::GetFocus()) || ::GetFocus() == combo);
                ExpectCentredOnMain(dialog);
                ::SetWindowTextW(combo, L"New folder");
              },
              [](HWND dialog) { Click(dialog, IDOK); }});
  EXPECT_EQ(result, kDialogOk);
  EXPECT_EQ(out, u"New folder");
  // The caller adds the answer, not the dialog.
  EXPECT_EQ(ReadHistory(kHistoryCreateFolder).size(), 3u);
}

TEST_F(WineDialogs, PromptPresetIsTheStartTextElseTheNewestEntryElseNothing) {
  Text out;
  EXPECT_EQ(Prompt(u"", out, {[](HWND dialog) {
                     EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_PROMPT_COMBO)), L"");
                     ::SetDlgItemTextW(dialog, IDC_PROMPT_COMBO, std::wstring(300, L'x').c_str());
                     Click(dialog, IDOK);
                   }}),
            kDialogOk);
  EXPECT_EQ(out, Text(259, u'x'));  // longer text is cut

  AddHistory(kHistoryCreateFolder, u"first");
  AddHistory(kHistoryCreateFolder, u"second");
  EXPECT_EQ(Prompt(u"", out, {[](HWND dialog) { Click(dialog, IDOK); }}), kDialogOk);
  EXPECT_EQ(out, u"second");

  // Enter takes the text as OK does.
  EXPECT_EQ(
      Prompt(u"given", out, {[](HWND dialog) { test::PostKey(::GetFocus() ? ::GetFocus() : dialog, VK_RETURN); }}),
      kDialogOk);
  EXPECT_EQ(out, u"given");
}

TEST_F(WineDialogs, PromptCancelEscapeAndCloseBoxReturnTwoWithNothing) {
  Text out = u"left over";
  EXPECT_EQ(Prompt(u"typed", out, {[](HWND dialog) { Click(dialog, IDCANCEL); }}), kDialogCancel);
  EXPECT_EQ(out, u"");

  out = u"left over";
  EXPECT_EQ(Prompt(u"typed", out, {[](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            kDialogCancel);
  EXPECT_EQ(out, u"");

  out = u"left over";
  EXPECT_EQ(
      Prompt(u"typed", out, {[](HWND dialog) { test::PostKey(::GetFocus() ? ::GetFocus() : dialog, VK_ESCAPE); }}),
      kDialogCancel);
  EXPECT_EQ(out, u"");
  EXPECT_EQ(TheDialogStore().result, kDialogCancel);
}

TEST_F(WineDialogs, PasswordIsKeptAfterOkAndClearedByCancel) {
  {
    DialogDriver driver({[](HWND dialog) {
                           EXPECT_EQ(TextOf(dialog), L"Request of the password");
                           EXPECT_EQ(TextOf(::GetDlgItem(dialog, IDC_PASSWORD_LABEL)), L"Enter password:");
                           const HWND edit = ::GetDlgItem(dialog, IDC_PASSWORD_EDIT);
                           EXPECT_NE(::GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD, 0);
                           EXPECT_EQ(::GetFocus(), edit);
                           ExpectCentredOnMain(dialog);
                           ::SetWindowTextW(edit, L"s3cr\u00E9t");
                         },
                         [](HWND dialog) { Click(dialog, IDOK); }});
    EXPECT_EQ(PasswordDialog(), kDialogOk);
    EXPECT_TRUE(driver.AllStepsRan());
  }
  EXPECT_EQ(TheDialogStore().password, u"s3cr\u00E9t");

  for (bool closeBox : {false, true}) {
    TheDialogStore().password = u"old";
    DialogDriver driver({[](HWND dialog) { ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, L"typed"); },
                         [closeBox](HWND dialog) {
                           if (closeBox)
                             ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                           else
                             Click(dialog, IDCANCEL);
                         }});
    EXPECT_EQ(PasswordDialog(), kDialogCancel);
    EXPECT_EQ(TheDialogStore().password, u"");
  }
}

}  // namespace
}  // namespace nrv
