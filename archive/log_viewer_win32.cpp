#include "archive/log_viewer_win32.h"

#include "archive/archive_dialog_ids.h"
#include "config/dialog_common_win32.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

struct LogViewerCall {
  HWND owner = nullptr;
  Text text;
};

INT_PTR CALLBACK LogViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* call = reinterpret_cast<const LogViewerCall*>(lParam);
      CentreOnWindow(dialog, call->owner);
      ::SetDlgItemTextW(dialog, IDC_LOG_TEXT, platform::Wide(call->text));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, IDOK);
      return TRUE;
    case WM_CLOSE: ::EndDialog(dialog, IDOK); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void ShowLogViewer(HWND owner, const ErrorLog& log) {
  LogViewerCall call{owner, LogViewerText(log)};
  ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_LOG_VIEWER), owner, LogViewerProc,
                    reinterpret_cast<LPARAM>(&call));
}

}  // namespace nrv
