// The viewer window on a real file and real device contexts: painting, the copied text with
// its CR LF, the caption, a file that shrinks under the view, and one that cannot be opened.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/settings.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"
#include "viewer/viewer_window_win32.h"

namespace nrv {
namespace {

HFONT TestFont(int32_t, int32_t) {
  static HFONT font = ::CreateFontW(16, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, L"Courier New");
  return font;
}
HFONT TestStatusFont() { return TestFont(0, 0); }

int leaves = 0;
void CountLeave() { ++leaves; }

// A frame with the viewer and its two bars, as the shell makes them.
struct ViewerRig {
  ViewerRig() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW viewerClass{};
    viewerClass.style = CS_DBLCLKS | CS_OWNDC;
    viewerClass.lpfnWndProc = ViewerWindowProc;
    viewerClass.hInstance = instance;
    viewerClass.lpszClassName = L"NRV_TEST_VIEWER";
    ::RegisterClassW(&viewerClass);
    frame = ::CreateWindowExW(0, L"Static", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                              nullptr, instance, nullptr);
    ApplyDefaults(settings);
    settings.ViewerSavePosition = 0;
    ViewerHost& host = session.host;
    host.frame = frame;
    host.window = ::CreateWindowExW(0, L"NRV_TEST_VIEWER", L"", WS_CHILD, 0, 0, 640, 420, frame, nullptr, instance,
                                    nullptr);
    host.verticalBar = ::CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_VERT, 640, 0, 16, 420, frame, nullptr,
                                         instance, nullptr);
    host.horizontalBar = ::CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_HORZ, 0, 420, 640, 16, frame,
                                           nullptr, instance, nullptr);
    host.settings = &settings;
    host.osMajor = 6;
    host.fixedFont = &TestFont;
    host.statusFont = &TestStatusFont;
    host.leave = &CountLeave;
    AttachViewer(session);
  }
  ~ViewerRig() {
    if (session.active) CloseViewer(session);
    ::DestroyWindow(frame);
  }

  Settings settings;
  HWND frame = nullptr;
  ViewerSession session;
};

std::wstring ClipboardText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return L"<not opened>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(ViewerWindow, PaintsCopiesWithCrLfAndShowsTheNameInTheCaption) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "no display";
  test::TempFolder folder;
  const auto path = folder.Path() / "shown.txt";
  Write(path, "alpha\r\n\r\nbeta\tgamma\r\nlast\r\n");
  ViewerRig rig;
  const Text name = path.u16string();
  ASSERT_EQ(OpenViewer(rig.session, name, name), 0);
  ShowViewer(rig.session);
  EXPECT_EQ(test::TextOf(rig.frame), L"View " + path.wstring());
  EXPECT_TRUE(::IsWindowVisible(rig.session.host.verticalBar));
  EXPECT_FALSE(::IsWindowVisible(rig.session.host.horizontalBar));

  RunViewerCommand(rig.session, {ViewerAction::SelectAll, 0});
  RunViewerCommand(rig.session, {ViewerAction::Copy, 0});
  EXPECT_EQ(ClipboardText(), L"alpha\r\n\r\nbeta gamma\r\nlast\r\n");
  // Selected cells are painted in the selection colours, the status line in its own.
  const HDC dc = ::GetDC(rig.session.host.window);
  EXPECT_EQ(::GetPixel(dc, 2, 2), rig.settings.ClrViewerStatusbarBackground);
  ::ReleaseDC(rig.session.host.window, dc);

  // F2 unwraps: the horizontal bar shows; Hex hides it again.
  RunViewerCommand(rig.session, {ViewerAction::ToggleWrap, 0});
  EXPECT_TRUE(::IsWindowVisible(rig.session.host.horizontalBar));
  RunViewerCommand(rig.session, {ViewerAction::ToggleHex, 0});
  EXPECT_FALSE(::IsWindowVisible(rig.session.host.horizontalBar));
  RunViewerCommand(rig.session, {ViewerAction::Copy, 0});
  EXPECT_EQ(ClipboardText().substr(0, 24), L"0000000000: 61 6C 70 68 ");
  RunViewerCommand(rig.session, {ViewerAction::ToggleHex, 0});
  RunViewerCommand(rig.session, {ViewerAction::ToggleWrap, 0});

  leaves = 0;
  RunViewerCommand(rig.session, {ViewerAction::Leave, 0});
  EXPECT_EQ(leaves, 1);
}

TEST(ViewerWindow, AFileThatShrinksIsOneReadErrorAndEscapeStillLeaves) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "no display";
  test::TempFolder folder;
  const auto path = folder.Path() / "shrinks.txt";
  std::string text;
  for (int i = 0; i < 400; ++i) text += "row " + std::to_string(i) + "\r\n";
  Write(path, text);
  ViewerRig rig;
  const Text name = path.u16string();
  ASSERT_EQ(OpenViewer(rig.session, name, name), 0);
  ShowViewer(rig.session);
  RunViewerCommand(rig.session, {ViewerAction::End, 0});
  EXPECT_TRUE(rig.session.controls.following);

  test::MessageCapture capture;
  // Cut while open: the viewer's handle shares writing.
  std::filesystem::resize_file(path, 12);
  PaintViewer(rig.session);
  PaintViewer(rig.session);
  RunViewerCommand(rig.session, {ViewerAction::Home, 0});
  const auto messages = capture.Taken();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, u"Error reading file");
  EXPECT_EQ(messages[0].icon, platform::MessageIcon::Error);
  RunViewerCommand(rig.session, {ViewerAction::SelectAll, 0});
  RunViewerCommand(rig.session, {ViewerAction::Copy, 0});
  EXPECT_EQ(ClipboardText(), L"row 0\r\nrow 1\r\n");  // what is left of it
  EXPECT_FALSE(rig.session.controls.following);

  leaves = 0;
  RunViewerCommand(rig.session, {ViewerAction::Leave, 0});
  EXPECT_EQ(leaves, 1);
}

TEST(ViewerWindow, AMissingFileIsTheCannotOpenMessageAndNothingShows) {
  if (!test::DisplayAvailable()) GTEST_SKIP() << "no display";
  test::TempFolder folder;
  ViewerRig rig;
  test::MessageCapture capture;
  const Text name = (folder.Path() / "absent.txt").u16string();
  EXPECT_EQ(OpenViewer(rig.session, u"absent.txt", name), -1);
  const auto messages = capture.Taken();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text.rfind(u"Text viewer: Cannot open file \"absent.txt\"", 0), 0u)
      << ToUtf8(messages[0].text);
  EXPECT_FALSE(rig.session.active);
  EXPECT_FALSE(::IsWindowVisible(rig.session.host.window));
}

}  // namespace
}  // namespace nrv
