#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/clipboard_win32.h"
#include "panel/context_menu_win32.h"
#include "platform/win32/wide.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

// The Unicode text on the clipboard, as another program would read it.
Text ReadClipboardText() {
  if (!::OpenClipboard(nullptr)) return u"<not opened>";
  Text text = u"<none>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = platform::FromWide(chars);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

class WineClipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    folder.MakeFile("alpha.txt");
    folder.MakeFile("beta.txt");
    folder.MakeFolder("gamma");
    panel.path = folder.Path().u16string();
    ASSERT_EQ(ReadFolder(panel, list), 0);  // "..", gamma, alpha.txt, beta.txt
  }
  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(WineClipboard, TextComesBackExactly) {
  const Text text = u"first line\r\nzweite Zeile \u00e4\u00f6\u00fc\r\n\u0436\r\n";
  ASSERT_TRUE(CopyTextToClipboard(text));
  EXPECT_EQ(ReadClipboardText(), text);
  ASSERT_TRUE(CopyTextToClipboard(u""));
  EXPECT_EQ(ReadClipboardText(), u"");
}

TEST_F(WineClipboard, NamesAndFullPathsOfThePanel) {
  panel.cursor = 3;
  ASSERT_TRUE(CopyNamesToClipboard(list, panel, true));
  wchar_t full[MAX_PATH] = {};
  ::GetFullPathNameW(L"beta.txt", MAX_PATH, full, nullptr);
  EXPECT_EQ(ReadClipboardText(), platform::FromWide(full) + u"\r\n");

  At(list, 1).selected = 1;
  At(list, 2).selected = 1;
  RecountSelection(list, panel);
  ASSERT_TRUE(CopyNamesToClipboard(list, panel, false));
  EXPECT_EQ(ReadClipboardText(), u"gamma\r\nalpha.txt\r\n");
}

// Closes the shell menu as soon as it is up.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

TEST_F(WineClipboard, ShellMenuForNamesAndForTheFolderItself) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "menus need a display";
  ::OleInitialize(nullptr);
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, &CloseMenu);
  EXPECT_TRUE(ShowShellContextMenu(owner, panel.path, {u"alpha.txt", u"beta.txt"}));
  EXPECT_TRUE(ShowShellContextMenu(owner, panel.path, {}));
  EXPECT_FALSE(ShowShellContextMenu(owner, panel.path, {u"alpha.txt", u"no such file"}));
  EXPECT_FALSE(ShowShellContextMenu(owner, panel.path + u"\\missing", {}));
  ::KillTimer(nullptr, timer);
  ::DestroyWindow(owner);
  ::OleUninitialize();
}

}  // namespace
}  // namespace nrv
