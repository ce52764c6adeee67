#include "find/query_dialog_win32.h"

#include "config/dialog_common_win32.h"
#include "find/find_dialog_ids.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

struct QueryCall {
  HWND frame;
  FindFilesQuery* query;
  Text panelPath;
  std::vector<AreaEntry> areas;
};

constexpr struct {
  int control;
  bool FindFilesQuery::*flag;
} kSwitches[] = {
    {IDC_FIND_CASE, &FindFilesQuery::caseSensitive},
    {IDC_FIND_FOLDERS, &FindFilesQuery::includeFolders},
    {IDC_FIND_ARCHIVES, &FindFilesQuery::searchArchives},
    {IDC_FIND_WHOLE_WORDS, &FindFilesQuery::wholeWords},
};

QueryCall& CallOfQuery(HWND dialog) { return *reinterpret_cast<QueryCall*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

BOOL OnInit(HWND dialog, QueryCall& call) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&call));
  const FindFilesQuery& query = *call.query;
  ::SetDlgItemTextW(dialog, IDC_FIND_MASK, platform::Wide(query.mask));
  ::SetDlgItemTextW(dialog, IDC_FIND_TEXT, platform::Wide(query.text));
  const HWND area = ::GetDlgItem(dialog, IDC_FIND_AREA);
  for (const AreaEntry& entry : call.areas)
    ::SendMessageW(area, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(entry.label)));
  ::SetWindowTextW(area, platform::Wide(call.areas.front().label));
  for (const auto& s : kSwitches) ::CheckDlgButton(dialog, s.control, query.*s.flag ? BST_CHECKED : BST_UNCHECKED);
  ::SendDlgItemMessageW(dialog, IDC_FIND_MASK, CB_LIMITTEXT, kMaxQueryText, 0);
  ::SendDlgItemMessageW(dialog, IDC_FIND_TEXT, CB_LIMITTEXT, kMaxQueryText, 0);
  return FocusAndCentre(dialog, ::GetDlgItem(dialog, IDC_FIND_MASK), call.frame);
}

void OnOk(HWND dialog, QueryCall& call) {
  FindFilesQuery& query = *call.query;
  query.mask = ReadControlText(::GetDlgItem(dialog, IDC_FIND_MASK));
  query.text = ReadControlText(::GetDlgItem(dialog, IDC_FIND_TEXT));
  for (const auto& s : kSwitches) query.*s.flag = ::IsDlgButtonChecked(dialog, s.control) == BST_CHECKED;
  const Text area = ReadControlText(::GetDlgItem(dialog, IDC_FIND_AREA));
  ApplyArea(query, AreaOfText(call.areas, area), call.panelPath);
  ::EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK QueryProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, *reinterpret_cast<QueryCall*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog, CallOfQuery(dialog)); return TRUE;
        case IDCANCEL: ::EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: ::EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

bool QueryDialog(HWND frame, FindFilesQuery& query, TextView panelPath) {
  QueryCall call{frame, &query, Text(panelPath), AreaEntries(panelPath)};
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FIND_QUERY), frame, QueryProcedure,
                           reinterpret_cast<LPARAM>(&call)) == IDOK;
}

}  // namespace nrv
