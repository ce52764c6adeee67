// The clipboard and the shell's context menu as other programs see them.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include "core/settings.h"
#include "core/listing.h"
#include "panel/clipboard_win32.h"
#include "panel/context_menu_win32.h"
#include "platform/win32/wide.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

// The Unicode text on the clipboard, as another program would read it.
Text ReadClipboardText() {
  if (!::OpenClipboard(nullptr)) return u"<not opened>";
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  const Text text = data ? platform::FromWide(static_cast<const wchar_t*>(::GlobalLock(data))) : u"<none>";
  if (data) ::GlobalUnlock(data);
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
  Panel panel = test::ApplicationPanel();
  ItemList list;
};

TEST_F(WineClipboard, TextAndThePanelsNamesOrFullPathsComeBackExactlyWithCrLf) {
  const Text text = u"first line\r\nzweite Zeile \u00e4\u00f6\u00fc\r\n\u0436\r\n";
  ASSERT_TRUE(CopyTextToClipboard(text));
  EXPECT_EQ(ReadClipboardText(), text);
  ASSERT_TRUE(CopyTextToClipboard(u""));
  EXPECT_EQ(ReadClipboardText(), u"");

  panel.cursor = 3;
  ASSERT_TRUE(CopyNamesToClipboard(list, panel, true, &LocalClipboardPath));
  EXPECT_EQ(ReadClipboardText(), panel.path + u"\\beta.txt\r\n");
  At(list, 1).selected = At(list, 2).selected = 1;
  RecountSelection(list, panel);
  ASSERT_TRUE(CopyNamesToClipboard(list, panel, false, &LocalClipboardPath));
  EXPECT_EQ(ReadClipboardText(), u"gamma\r\nalpha.txt\r\n");
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

TEST_F(WineClipboard, ShellMenuForNamesAndForTheFolderItselfButNotForMissingItems) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "menus need a display";
  ::OleInitialize(nullptr);
  test::StandInWindow owner({0, 0, 10, 10}, false);
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, &CloseMenu);
  EXPECT_TRUE(ShowShellContextMenu(owner.Get(), panel.path, {u"alpha.txt", u"beta.txt"}));
  EXPECT_TRUE(ShowShellContextMenu(owner.Get(), panel.path, {}));
  EXPECT_FALSE(ShowShellContextMenu(owner.Get(), panel.path, {u"alpha.txt", u"no such file"}));
  EXPECT_FALSE(ShowShellContextMenu(owner.Get(), panel.path + u"\\missing", {}));
  ::KillTimer(nullptr, timer);
  ::OleUninitialize();
}

}  // namespace
}  // namespace nrv
