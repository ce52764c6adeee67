#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "panel/browse_folder_win32.h"
#include "platform/win32/wide.h"
#include "support/dialog_driver.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::DialogDriver;

struct TextSearch {
  std::wstring text;
  bool found = false;
};

BOOL CALLBACK CompareChildText(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<TextSearch*>(data);
  search.found = search.found || test::TextOf(child) == search.text;
  return TRUE;
}

bool HasChildWithText(HWND dialog, const std::wstring& text) {
  TextSearch search{text};
  ::EnumChildWindows(dialog, &CompareChildText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class WineBrowseFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::DisplayAvailable()) GTEST_SKIP() << "no X display for Wine's windows";
    initialised_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    main_ = std::make_unique<test::StandInWindow>(50, 50, 800, 600, true);
  }
  void TearDown() override {
    main_.reset();
    if (initialised_) ::CoUninitialize();
  }

  // Selects folder in the picker, then presses OK on a later tick.
  static std::vector<DialogDriver::Step> Choose(const std::wstring& folder) {
    const auto select = [folder](HWND dialog) {
      ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    };
    return {select, select, [](HWND dialog) { test::Click(dialog, IDOK); }};
  }

  bool initialised_ = false;
  std::unique_ptr<test::StandInWindow> main_;
  test::TempFolder temp_;
};

TEST_F(WineBrowseFolder, CancelGivesNothingAndOkTheChosenFolder) {
  {
    DialogDriver driver({[](HWND dialog) {
      EXPECT_TRUE(HasChildWithText(dialog, L"Browse for folder"));
      EXPECT_EQ(::GetWindow(dialog, GW_OWNER), TheShellWindows().main);
      test::Click(dialog, IDCANCEL);
    }});
    EXPECT_EQ(PickFolder(TheShellWindows().main), std::nullopt);
    EXPECT_TRUE(driver.AllStepsRan());
  }
  const auto folder = temp_.MakeFolder("Chosen");
  DialogDriver driver(Choose(folder.wstring()));
  const std::optional<Text> picked = PickFolder(TheShellWindows().main);
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(::lstrcmpiW(platform::Wide(*picked), folder.wstring().c_str()), 0) << ToUtf8(*picked);
}

TEST_F(WineBrowseFolder, BrowseMovesThePanelToThePickedFolder) {
  const auto folder = temp_.MakeFolder("Target");
  temp_.MakeFile("Target/inside.txt");
  test::MessageCapture messages;
  Panel panel;
  ItemList list;
  DialogDriver driver(Choose(folder.wstring()));
  EXPECT_EQ(BrowseForFolder(panel, list), 0);
  EXPECT_EQ(::lstrcmpiW(platform::Wide(panel.path), folder.wstring().c_str()), 0);
  const auto names = test::Names(list);
  EXPECT_NE(std::find(names.begin(), names.end(), u"inside.txt"), names.end());
  EXPECT_TRUE(messages.Taken().empty());
}

}  // namespace
}  // namespace nrv
