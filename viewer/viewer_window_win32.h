#pragma once
// The viewer window in place of the panels: painting through one off-screen bitmap, keys,
// mouse selection, scroll bars, the popup menu and the follow timer.
#include <windows.h>

#include <cstdint>

#include "core/settings.h"
#include "platform/text.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_document.h"

namespace nrv {

inline constexpr UINT_PTR kFollowTimerId = 0xFD11;
inline constexpr UINT kFollowPeriodMs = 2000;

// What the frame lends the viewer; filled once at start-up.
struct ViewerHost {
  HWND frame = nullptr;
  HWND window = nullptr;
  HWND verticalBar = nullptr;
  HWND horizontalBar = nullptr;
  const Settings* settings = nullptr;
  int osMajor = 0;
  HFONT (*fixedFont)(int32_t sizeCode, int32_t faceCode) = nullptr;
  HFONT (*statusFont)() = nullptr;
  int32_t* savedFontSize = nullptr;  // the frame saves these with the configuration
  int32_t* savedFontFace = nullptr;
  HWND* searchDialog = nullptr;  // the main loop gives it dialog keys
  void (*leave)() = nullptr;     // puts the panels back
  void (*relayout)() = nullptr;  // lays out the frame's children
};

struct ViewerSession {
  ViewerHost host;
  ViewerDocument doc;
  ViewerControls controls;
  Text selectionText;  // refilled at each paint
  bool active = false;
  bool mouseSelecting = false;
  bool buttonScrolling = false;
  bool readErrorShown = false;  // one message per open file
  HMENU popup = nullptr;
  ViewerSession() = default;
  ViewerSession(const ViewerSession&) = delete;
  ViewerSession& operator=(const ViewerSession&) = delete;
  ~ViewerSession();
};

// Binds the session to its window and builds the popup menu.
void AttachViewer(ViewerSession& session);

// Opens the file (name as shown, fullPath for the position history); on failure reports
// "Text viewer: Cannot open file" and returns -1 with nothing changed on screen.
int OpenViewer(ViewerSession& session, TextView name, TextView fullPath);
// The viewer's half of entering: shown, focused, search and selection cleared, painted.
void ShowViewer(ViewerSession& session);
// The viewer's half of leaving: file closed with its position stored, windows hidden, the
// search dialog closed.
void CloseViewer(ViewerSession& session);

void PaintViewer(ViewerSession& session);
// Ends following a growing file (every move, the menu and the scroll bars do).
void StopFollowing(ViewerSession& session);
void RunViewerCommand(ViewerSession& session, ViewerCommand command);

// The scroll bars' messages, forwarded by the frame.
void ScrollVertical(ViewerSession& session, int code);
void ScrollHorizontal(ViewerSession& session, int code);

LRESULT CALLBACK ViewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace nrv
