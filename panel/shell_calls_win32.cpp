#include <windows.h>

#include <vector>

#include "panel/panel_paint.h"
#include "panel/shell_calls.h"

namespace nrv {
namespace {

struct Waiting {
  Panel* panel = nullptr;
  ItemList* list = nullptr;
};

struct HeldCalls {
  bool held = false;
  UINT_PTR timer = 0;
  void (*whenReleased)() = nullptr;
  std::vector<Waiting> waiting;
};

HeldCalls& TheHeldCalls() {
  static HeldCalls calls;
  return calls;
}

void CALLBACK ReleaseOnTick(HWND, UINT, UINT_PTR, DWORD) { ReleaseShellCalls(); }

}  // namespace

void HoldShellCalls(void (*whenReleased)()) {
  HeldCalls& calls = TheHeldCalls();
  calls.whenReleased = whenReleased;
  if (!calls.timer) calls.timer = ::SetTimer(nullptr, 0, 0, ReleaseOnTick);
  calls.held = calls.timer != 0;
  if (!calls.held) ReleaseShellCalls();  // without a timer nothing would let them through later
}

bool ShellCallsHeld() { return TheHeldCalls().held; }

void DrawAgainWithShell(Panel& panel, ItemList& list) {
  HeldCalls& calls = TheHeldCalls();
  for (Waiting& waiting : calls.waiting)
    if (waiting.panel == &panel) {
      waiting.list = &list;
      return;
    }
  calls.waiting.push_back({&panel, &list});
}

void ReleaseShellCalls() {
  HeldCalls& calls = TheHeldCalls();
  if (calls.timer) ::KillTimer(nullptr, calls.timer);
  calls.timer = 0;
  calls.held = false;
  std::vector<Waiting> waiting;
  waiting.swap(calls.waiting);
  for (const Waiting& panel : waiting) DrawItems(*panel.list, *panel.panel);
  void (*whenReleased)() = calls.whenReleased;
  calls.whenReleased = nullptr;
  if (whenReleased) whenReleased();
}

}  // namespace nrv
