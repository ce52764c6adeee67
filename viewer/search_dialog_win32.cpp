#include "viewer/search_dialog_win32.h"

#include <atomic>
#include <cstdio>

#include "config/dialog_common_win32.h"
#include "config/history.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"
#include "config/dialog_ids.h"
#include "viewer/viewer_search.h"

namespace nrv {

namespace {

ViewerSession* SessionOf(HWND dialog) {
  return reinterpret_cast<ViewerSession*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND& DialogOf(ViewerSession& s) {
  static HWND none = nullptr;
  return s.host.searchDialog ? *s.host.searchDialog : none;
}

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void FillFromState(HWND dialog, ViewerSession& s) {
  const SearchState& search = s.doc.search;
  ::CheckRadioButton(dialog, IDC_SEARCH_FOR_TEXT, IDC_SEARCH_FOR_HEX, search.hexSearch ? IDC_SEARCH_FOR_HEX : IDC_SEARCH_FOR_TEXT);
  ::CheckDlgButton(dialog, IDC_CASE_SENSITIVE, search.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(dialog, IDC_WHOLE_WORDS, search.wholeWords ? BST_CHECKED : BST_UNCHECKED);
  ::SetDlgItemTextW(dialog, IDOK, L"Find");
  for (int id : {IDC_REPLACE, IDC_REPLACE_ALL, IDC_REPLACE_COMBO}) ::EnableWindow(::GetDlgItem(dialog, id), FALSE);
  const HWND combo = ::GetDlgItem(dialog, IDC_SEARCH_COMBO);
  ::SendMessageW(combo, CB_LIMITTEXT, kMaxSearchText, 0);
  const std::vector<Text> history = ReadHistory(kHistoryFind);
  for (auto it = history.rbegin(); it != history.rend(); ++it)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(*it)));
  const Text& shown = !search.text.empty() ? search.text : history.empty() ? Text() : history.back();
  ::SetWindowTextW(combo, platform::Wide(shown));
  s.doc.search.start = s.doc.viewTop;
}

Text FieldText(HWND dialog) {
  wchar_t buffer[kMaxSearchText + 1] = {};
  ::GetDlgItemTextW(dialog, IDC_SEARCH_COMBO, buffer, static_cast<int>(kMaxSearchText + 1));
  return platform::FromWide(buffer);
}

void FocusField(HWND dialog) { ::SetFocus(::GetDlgItem(dialog, IDC_SEARCH_COMBO)); }

void Tell(HWND owner, const Text& text, const Text& caption, platform::MessageIcon icon) {
  platform::ShowMessage({owner, text, caption, icon, platform::MessageButtons::Ok});
}

// "Searching: %d%%" in the frame's caption; Escape held asks whether to stop.
struct Progress {
  HWND frame;
  std::atomic<bool> stop{false};
  void operator()(int percent) {
    wchar_t caption[32];
    std::swprintf(caption, 32, L"Searching: %d%%", percent);
    ::SetWindowTextW(frame, caption);
    if ((::GetAsyncKeyState(VK_ESCAPE) & 0x8000) == 0) return;
    const auto answer = platform::ShowMessage({frame, u"Do you want to cancel search?", u"Interrupt operation",
                                               platform::MessageIcon::Question, platform::MessageButtons::OkCancel});
    if (answer == platform::MessageAnswer::Ok) stop = true;
  }
};

int Search(ViewerSession& s, bool backward, HWND owner) {
  StopFollowing(s);
  if (backward) s.doc.search.start = s.doc.viewTop;
  Progress progress{s.host.frame};
  const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const int result = FindNext(s.doc, [&progress](int percent) { progress(percent); }, &progress.stop, backward);
  ::SetCursor(previous);
  if (result == kSearchBadHex) {
    Tell(owner, kBadHexMessage, u"Search text", platform::MessageIcon::Information);
  } else if (result != kSearchFound) {
    Tell(nullptr, s.doc.search.text + u" not found", u"Error", platform::MessageIcon::None);
  }
  // The caption goes back to the file's name with the repaint.
  ::SetWindowTextW(s.host.frame, L"");
  PaintViewer(s);
  return result;
}

void OnFind(HWND dialog, ViewerSession& s) {
  SearchState& search = s.doc.search;
  search.text = FieldText(dialog);
  search.caseSensitive = Checked(dialog, IDC_CASE_SENSITIVE);
  search.wholeWords = Checked(dialog, IDC_WHOLE_WORDS);
  search.hexSearch = Checked(dialog, IDC_SEARCH_FOR_HEX);
  if (search.text.empty()) {
    Tell(dialog, u"No text entered", u"Search text", platform::MessageIcon::Information);
    FocusField(dialog);
    return;
  }
  AddHistory(*s.host.settings, kHistoryFind, search.text);
  if (Search(s, false, dialog) == kSearchFound) ::SetDlgItemTextW(dialog, IDOK, L"Next");
  FocusField(dialog);
}

void Close(HWND dialog) { ::DestroyWindow(dialog); }

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  ViewerSession* s = SessionOf(dialog);
  switch (LOWORD(wParam)) {
    case IDOK:
      if (s) OnFind(dialog, *s);
      return TRUE;
    case IDCANCEL: Close(dialog); return TRUE;
    default: return FALSE;
  }
}

INT_PTR OnInit(HWND dialog, LPARAM lParam) {
  auto* s = reinterpret_cast<ViewerSession*>(lParam);
  ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  FillFromState(dialog, *s);
  CentreOnWindow(dialog, s->host.window);
  FocusField(dialog);
  return FALSE;
}

void OnDestroy(HWND dialog) {
  if (ViewerSession* s = SessionOf(dialog)) {
    HWND& open = DialogOf(*s);
    if (open == dialog) open = nullptr;
  }
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FocusField(dialog);
      return FALSE;
    case WM_CLOSE: Close(dialog); return TRUE;
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    default: return FALSE;
  }
}

}  // namespace

void OpenSearchDialog(ViewerSession& s) {
  HWND& open = DialogOf(s);
  if (open) {
    ::SetForegroundWindow(open);
    ::SetActiveWindow(open);
    FocusField(open);
    return;
  }
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(s.host.window, GWLP_HINSTANCE));
  open = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_SEARCH_TEXT), s.host.window, SearchDialogProc,
                              reinterpret_cast<LPARAM>(&s));
  if (open) ::ShowWindow(open, SW_SHOW);
}

void SearchAgain(ViewerSession& s, bool backward) { Search(s, backward, s.host.frame); }

void CloseSearchDialog(ViewerSession& s) {
  if (HWND open = DialogOf(s)) Close(open);
}

}  // namespace nrv
