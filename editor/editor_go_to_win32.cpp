#include <windows.h>

#include <richedit.h>

#include "config/dialog_common_win32.h"
#include "config/dialog_ids.h"
#include "editor/editor_document_win32.h"
#include "editor/go_to_line.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

// The dialog's shared values: the highest line allowed and what was entered.
struct GoToValues {
  int64_t lineCount = 0;
  int64_t entered = 0;
};

INT_PTR CALLBACK GoToProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* values = reinterpret_cast<GoToValues*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      values = reinterpret_cast<GoToValues*>(lParam);
      ::SetDlgItemTextW(dialog, IDC_GO_TO_LABEL, platform::Wide(GoToLabel(values->lineCount)));
      ::SendDlgItemMessageW(dialog, IDC_GO_TO_EDIT, EM_LIMITTEXT, kGoToDigitsLimit, 0);
      return FocusAndCentre(dialog, ::GetDlgItem(dialog, IDC_GO_TO_EDIT), TheEditorDocument().host.frame);
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        wchar_t typed[256] = L"";
        ::GetDlgItemTextW(dialog, IDC_GO_TO_EDIT, typed, 256);
        values->entered = ParseLineNumber(platform::FromWide(typed));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE: ::EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void GoToLine() {
  EditorDocument& doc = TheEditorDocument();
  GoToValues values;
  values.lineCount = ::SendMessageW(doc.control, EM_GETLINECOUNT, 0, 0);
  if (values.lineCount < 2) return;
  const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GO_TO), doc.host.frame,
                                           GoToProc, reinterpret_cast<LPARAM>(&values));
  if (result != IDOK) return;
  const int64_t line = GoToTarget(values.entered, values.lineCount);
  if (line < 0) return;
  const LRESULT start = ::SendMessageW(doc.control, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  ::SendMessageW(doc.control, EM_SETSEL, start, start);
  ::SendMessageW(doc.control, EM_SCROLLCARET, 0, 0);
  ::SetFocus(doc.control);
  UpdateStatus();
}

}  // namespace nrv
