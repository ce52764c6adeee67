#include "config/prompt_dialog_win32.h"

#include <windows.h>

#include <vector>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"
#include "config/history.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

BOOL OnPromptInit(HWND dialog, LPARAM creation) {
  const DialogCall& store = KeepCall(dialog, creation);
  ::SetWindowTextW(dialog, platform::Wide(store.caption));
  ::SetDlgItemTextW(dialog, IDC_PROMPT_LABEL, platform::Wide(store.prompt));

  // Newest first in the drop-down list; an unreadable list just leaves it empty.
  const HWND combo = ::GetDlgItem(dialog, IDC_PROMPT_COMBO);
  const std::vector<Text> history = ReadHistory(store.historyList);
  for (auto entry = history.rbegin(); entry != history.rend(); ++entry)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(*entry)));

  Text shown = store.start;
  if (shown.empty() && !history.empty()) shown = history.back();
  ::SetWindowTextW(combo, platform::Wide(shown));
  return FocusAndCentre(dialog, combo, static_cast<HWND>(store.owner));
}

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnPromptInit(dialog, lParam);
    case WM_COMMAND: return OnOkOrCancel(dialog, LOWORD(wParam), IDC_PROMPT_COMBO);
    case WM_CLOSE: EndSharedDialog(dialog, kDialogCancel, IDC_PROMPT_COMBO); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int PromptDialog(NativeWindow owner, TextView start, TextView caption, TextView prompt, Text& out, int historyList) {
  DialogCall call;
  call.result = kDialogCancel;
  call.caption = Text(caption);
  call.prompt = Text(prompt);
  call.start = Text(start);
  call.historyList = historyList;
  call.owner = owner;
  OpenSharedDialog(IDD_PROMPT, call, PromptProc);
  out = call.entered;
  return call.result;
}

}  // namespace nrv
