#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include <vector>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"
#include "config/history.h"
#include "editor/editor_document_win32.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

Text ReadLimited(HWND dialog, int id, size_t limit) {
  std::vector<wchar_t> buffer(limit + 1, L'\0');
  const int length = ::GetDlgItemTextW(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
  return platform::FromWide(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void OfferReplace(HWND dialog, bool offered) {
  TheEditorSearch().found = offered;
  ::EnableWindow(::GetDlgItem(dialog, IDC_REPLACE), offered);
  ::EnableWindow(::GetDlgItem(dialog, IDC_REPLACE_ALL), offered);
}

void FocusSearchField(HWND dialog) { ::SetFocus(::GetDlgItem(dialog, IDC_SEARCH_COMBO)); }

TextMatch FindInControl(void* context, const EditorSearch& search, int64_t from) {
  FINDTEXTEXW find{};
  find.chrg.cpMin = static_cast<LONG>(from);
  find.chrg.cpMax = -1;
  find.lpstrText = platform::Wide(search.text);
  WPARAM flags = FR_DOWN;
  if (search.caseSensitive) flags |= FR_MATCHCASE;
  if (search.wholeWords) flags |= FR_WHOLEWORD;
  const LRESULT at = ::SendMessageW(static_cast<HWND>(context), EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find));
  if (at < 0) return {};
  return {find.chrgText.cpMin, find.chrgText.cpMax};
}

void ReplaceInControl(void* context, TextMatch match, TextView replacement) {
  HWND control = static_cast<HWND>(context);
  CHARRANGE range{static_cast<LONG>(match.start), static_cast<LONG>(match.end)};
  ::SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const Text text(replacement);
  ::SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(platform::Wide(text)));
}

SearchTarget ControlTarget() { return {TheEditorDocument().control, FindInControl, ReplaceInControl}; }

void ReadOptions(HWND dialog, EditorSearch& search) {
  search.caseSensitive = ::IsDlgButtonChecked(dialog, IDC_CASE_SENSITIVE) == BST_CHECKED;
  search.wholeWords = ::IsDlgButtonChecked(dialog, IDC_WHOLE_WORDS) == BST_CHECKED;
}

void OnFind(HWND dialog) {
  EditorDocument& doc = TheEditorDocument();
  EditorSearch& search = TheEditorSearch();
  search.text = ReadLimited(dialog, IDC_SEARCH_COMBO, kSearchTextLimit);
  ReadOptions(dialog, search);
  if (search.text.empty()) {
    platform::ShowMessage({doc.host.frame, u"No text entered.", u"Search text", MessageIcon::Information,
                           MessageButtons::Ok});
    FocusSearchField(dialog);
    return;
  }
  AddHistory(*doc.host.settings, kHistoryFind, search.text);
  TextMatch match = FindInControl(doc.control, search, search.position);
  while (match.start < 0) {
    if (platform::ShowMessage({doc.host.frame, u"Search finished. Search from begin of the file?", u"Search text",
                               MessageIcon::Question, MessageButtons::YesNo}) != MessageAnswer::Yes) {
      FocusSearchField(dialog);
      return;
    }
    search.position = 0;
    match = FindInControl(doc.control, search, 0);
  }
  CHARRANGE range{static_cast<LONG>(match.start), static_cast<LONG>(match.end)};
  ::SendMessageW(doc.control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  ScrollLineIntoView(doc.control, ::SendMessageW(doc.control, EM_EXLINEFROMCHAR, 0, range.cpMin));
  NoteMatch(search, match);
  ::SetDlgItemTextW(dialog, IDOK, L"Find next");
  OfferReplace(dialog, true);
  UpdateStatus();
  FocusSearchField(dialog);
}

TextMatch SelectedMatch() {
  CHARRANGE range{};
  ::SendMessageW(TheEditorDocument().control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return {range.cpMin, range.cpMax};
}

void OnReplace(HWND dialog) {
  const Text replacement = ReadLimited(dialog, IDC_REPLACE_COMBO, kReplaceTextLimit);
  ReplaceSelected(TheEditorSearch(), ControlTarget(), SelectedMatch(), replacement);
  OfferReplace(dialog, false);
  UpdateStatus();
}

void OnReplaceAll(HWND dialog) {
  const Text replacement = ReadLimited(dialog, IDC_REPLACE_COMBO, kReplaceTextLimit);
  HWND control = TheEditorDocument().control;
  // One repaint at the end instead of one per replacement.
  ::SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  const int64_t count = ReplaceAll(TheEditorSearch(), ControlTarget(), SelectedMatch(), replacement);
  ::SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(control, nullptr, TRUE);
  OfferReplace(dialog, false);
  UpdateStatus();
  platform::ShowMessage({nullptr, Ascii(std::to_string(count)) + u" replacement(s) done.", u"Replacement done",
                         MessageIcon::Information, MessageButtons::Ok});
}

void OnInit(HWND dialog) {
  EditorDocument& doc = TheEditorDocument();
  EditorSearch& search = TheEditorSearch();
  CentreOnWindow(dialog, doc.host.frame);
  ::EnableWindow(::GetDlgItem(dialog, IDC_SEARCH_FOR_HEX), FALSE);
  ::CheckDlgButton(dialog, IDC_SEARCH_FOR_TEXT, BST_CHECKED);
  ::EnableWindow(::GetDlgItem(dialog, IDC_SEARCH_FOR_TEXT), FALSE);
  ::CheckDlgButton(dialog, IDC_CASE_SENSITIVE, search.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(dialog, IDC_WHOLE_WORDS, search.wholeWords ? BST_CHECKED : BST_UNCHECKED);
  ::SetDlgItemTextW(dialog, IDOK, L"Find");
  const std::vector<Text> history = ReadHistory(kHistoryFind);
  HWND combo = ::GetDlgItem(dialog, IDC_SEARCH_COMBO);
  for (auto entry = history.rbegin(); entry != history.rend(); ++entry)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(*entry)));
  const Text& start = !search.text.empty() || history.empty() ? search.text : history.back();
  ::SetWindowTextW(combo, platform::Wide(start));
  CHARRANGE range{};
  ::SendMessageW(doc.control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  search.position = range.cpMin;
  OfferReplace(dialog, false);
  FocusSearchField(dialog);
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  switch (id) {
    case IDOK: OnFind(dialog); break;
    case IDC_REPLACE: OnReplace(dialog); break;
    case IDC_REPLACE_ALL: OnReplaceAll(dialog); break;
    case IDCANCEL: ::DestroyWindow(dialog); break;
    case IDC_SEARCH_COMBO:
      if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) OfferReplace(dialog, false);
      break;
    case IDC_CASE_SENSITIVE:
    case IDC_WHOLE_WORDS:
      if (code == BN_CLICKED) OfferReplace(dialog, false);
      break;
    default: break;
  }
}

INT_PTR CALLBACK FindReplaceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return FALSE;
    case WM_COMMAND: OnCommand(dialog, wParam); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FocusSearchField(dialog);
      return FALSE;
    case WM_CLOSE: ::DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: {
      HWND* slot = TheEditorDocument().host.searchDialog;
      if (slot && *slot == dialog) *slot = nullptr;
      return FALSE;
    }
    default: return FALSE;
  }
}

}  // namespace

void OpenFindReplace() {
  EditorDocument& doc = TheEditorDocument();
  HWND* slot = doc.host.searchDialog;
  if (*slot) {
    ::SetActiveWindow(*slot);
    return;
  }
  *slot = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH_TEXT), doc.control,
                               FindReplaceProc, 0);
  if (*slot) ::ShowWindow(*slot, SW_SHOW);
}

}  // namespace nrv
