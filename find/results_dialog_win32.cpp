#include "find/results_dialog_win32.h"

#include <commctrl.h>

#include <cstdio>

#include "config/dialog_common_win32.h"
#include "find/archive_names_win32.h"
#include "find/find_dialog_ids.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

constexpr UINT kFoundMessage = WM_APP + 40;  // results are queued
constexpr UINT kDoneMessage = WM_APP + 41;   // the search thread has ended
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusInterval = 100;

struct ResultsCall {
  HWND frame;
  FindSession* session;
  bool searching = false;
};

ResultsCall& CallOfResults(HWND dialog) {
  return *reinterpret_cast<ResultsCall*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND ListOf(HWND dialog) { return ::GetDlgItem(dialog, IDC_FIND_LIST); }

void SetNumber(HWND dialog, int control, int32_t value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%d", value);
  ::SetDlgItemTextW(dialog, control, text);
}

void Message(HWND owner, const char16_t* text) {
  platform::ShowMessage({owner, text, u"", platform::MessageIcon::Information, platform::MessageButtons::Ok});
}

void ShowCounts(HWND dialog, FindSession& session) {
  SetNumber(dialog, IDC_FIND_FILES_FOUND, session.counters.filesFound);
  SetNumber(dialog, IDC_FIND_FOLDERS_FOUND, session.counters.foldersFound);
}

void ShowQueued(HWND dialog, FindSession& session) {
  TakeQueued(session.queue, session.results);
  ::SendMessageW(ListOf(dialog), LVM_SETITEMCOUNT, static_cast<WPARAM>(Count(session.results)),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  ShowCounts(dialog, session);
}

void AnnounceFound(void* dialog) { ::PostMessageW(static_cast<HWND>(dialog), kFoundMessage, 0, 0); }

// The search thread. It touches the dialog only through posted messages; the folder it reads is
// picked up by the dialog's timer.
void SearchThread(FindSession& session, HWND dialog, FindFilesQuery query) {
  // The command says "Search isn't complete" before it starts another; a thread shows nothing.
  if (session.searchRunning.load() != 0) {
    ::PostMessageW(dialog, kDoneMessage, 0, 0);
    return;
  }
  session.searchRunning.fetch_add(1);
  WalkCallbacks callbacks;
  callbacks.found = [&](TextView folder, const platform::FindData& entry) {
    if (QueueFound(session.queue, folder, entry)) AnnounceFound(dialog);
  };
  callbacks.entering = [&](TextView folder) {
    std::lock_guard lock(session.folderMutex);
    session.currentFolder.assign(folder);
  };
  if (query.searchArchives)
    callbacks.archive = [&](TextView path) { return QueueArchiveMatches(path, query, session.queue, &AnnounceFound, dialog); };
  RunSearch(query, session.counters, callbacks);
  session.searchRunning.fetch_sub(1);
  ::PostMessageW(dialog, kDoneMessage, 0, 0);
}

void AddColumn(HWND list, int index, const wchar_t* title, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title);
  ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

BOOL OnInit(HWND dialog, ResultsCall& call) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&call));
  FindSession& session = *call.session;
  const Text caption = u"Find files: " + session.query.mask;
  ::SetWindowTextW(dialog, platform::Wide(caption));
  const HWND list = ListOf(dialog);
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  AddColumn(list, 0, L"Time", 100, LVCFMT_RIGHT);
  AddColumn(list, 1, L"Size", 70, LVCFMT_RIGHT);
  AddColumn(list, 2, L"File name/path", 750, LVCFMT_LEFT);
  session.resultChoice = kChoiceNone;
  session.selectedIndex = -1;
  session.counters.filesFound = 0;
  session.counters.foldersFound = 0;
  session.counters.archivesNotRead = 0;
  ClearResults(session.results);
  session.dialog = dialog;
  CentreOnWindow(dialog, call.frame);
  ::SetTimer(dialog, kStatusTimer, kStatusInterval, nullptr);
  call.searching = StartWorker(session.worker, [&session, dialog, query = session.query](const StopFlag&) {
    SearchThread(session, dialog, query);
  });
  if (!call.searching) ::SetDlgItemTextW(dialog, IDC_FIND_SEARCHING, L"Search complete");
  return TRUE;
}

void OnTimer(HWND dialog, ResultsCall& call) {
  if (!call.searching) return;
  Text folder;
  {
    std::lock_guard lock(call.session->folderMutex);
    folder = call.session->currentFolder;
  }
  ::SetDlgItemTextW(dialog, IDC_FIND_SEARCHING, platform::Wide(folder));
  ShowCounts(dialog, *call.session);
}

void CloseResults(HWND dialog, ResultsCall& call) {
  FindSession& session = *call.session;
  ::KillTimer(dialog, kStatusTimer);
  if (session.resultChoice == kChoiceNone) session.resultChoice = kChoiceCancel;
  if (session.resultChoice != kChoiceGoTo && session.resultChoice != kChoicePanel) ClearResults(session.results);
  ::SendMessageW(ListOf(dialog), LVM_SETITEMCOUNT, 0, 0);
  session.dialog = nullptr;
  ::EndDialog(dialog, session.resultChoice);
}

void OnDone(HWND dialog, ResultsCall& call) {
  call.searching = false;
  JoinWorker(call.session->worker);
  ShowQueued(dialog, *call.session);
  ::SetDlgItemTextW(dialog, IDC_FIND_SEARCHING,
                    platform::Wide(SearchEndText(call.session->counters.archivesNotRead.load())));
  if (call.session->resultChoice != kChoiceNone) CloseResults(dialog, call);
}

int SelectionMark(HWND dialog) {
  return static_cast<int>(::SendMessageW(ListOf(dialog), LVM_GETSELECTIONMARK, 0, 0));
}

void OpenRow(HWND dialog, FindSession& session, int row) {
  if (row < 0 || row >= Count(session.results)) return;
  const TextView path = ResultPath(session.results, row);
  if (const uint16_t archiveLength = session.results.items[static_cast<size_t>(row)].archivePathLength) {
    OpenFoundInArchive(dialog, path.substr(0, archiveLength), path.substr(archiveLength + 1u));
    return;
  }
  const intptr_t result = platform::ExecuteWithShell(u"open", path, {}, {});
  if (result <= 32) ReportExecuteResult(result, path);
}

void OnOpen(HWND dialog, FindSession& session) {
  const int row = SelectionMark(dialog);
  if (row < 0) return Message(dialog, u"No items selected");
  OpenRow(dialog, session, row);
}

void OnChoice(HWND dialog, ResultsCall& call, int choice) {
  FindSession& session = *call.session;
  const int row = SelectionMark(dialog);
  if (choice == kChoiceGoTo && row < 0) return Message(dialog, u"No items selected");
  session.selectedIndex = row;
  session.resultChoice = choice;
  if (!call.searching) return CloseResults(dialog, call);
  if (session.counters.abortRequested) return;
  const platform::MessageAnswer answer = platform::ShowMessage(
      {dialog, u"Abort operation?", u"Question", platform::MessageIcon::Question, platform::MessageButtons::YesNo});
  if (answer == platform::MessageAnswer::Yes) {
    session.counters.abortRequested = true;
    return;
  }
  // No: the search goes on and the dialog stays, also once the search is complete.
  session.resultChoice = kChoiceNone;
  // The search may have ended while the question was open.
  if (!call.searching) ShowQueued(dialog, session);
}

void FillCell(const FindSession& session, NMLVDISPINFOW& info) {
  if (!(info.item.mask & LVIF_TEXT) || info.item.cchTextMax <= 0) return;
  info.item.pszText[0] = 0;
  const int row = info.item.iItem;
  if (row < 0 || row >= Count(session.results)) return;
  const FoundItem& item = session.results.items[static_cast<size_t>(row)];
  ShortText shortText;
  TextView text;
  switch (info.item.iSubItem) {
    case 0: shortText = ResultTimeText(item); text = shortText; break;
    case 1: shortText = ResultSizeText(item); text = shortText; break;
    default: text = ResultPath(session.results, row); break;
  }
  const size_t n = std::min(text.size(), static_cast<size_t>(info.item.cchTextMax - 1));
  std::copy_n(reinterpret_cast<const wchar_t*>(text.data()), n, info.item.pszText);
  info.item.pszText[n] = 0;
}

INT_PTR OnNotify(HWND dialog, const NMHDR& header) {
  if (header.idFrom != IDC_FIND_LIST) return FALSE;
  FindSession& session = *CallOfResults(dialog).session;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillCell(session, *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return TRUE;
    case NM_DBLCLK: OpenRow(dialog, session, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem); return TRUE;
    default: return FALSE;
  }
}

INT_PTR OnCommand(HWND dialog, int command) {
  ResultsCall& call = CallOfResults(dialog);
  switch (command) {
    case IDC_FIND_OPEN: OnOpen(dialog, *call.session); return TRUE;
    case IDC_FIND_GO_TO:
    case IDC_FIND_PANEL:
    case IDOK:
    case IDCANCEL: OnChoice(dialog, call, command); return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK ResultsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, *reinterpret_cast<ResultsCall*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY: return OnNotify(dialog, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER: OnTimer(dialog, CallOfResults(dialog)); return TRUE;
    case kFoundMessage: ShowQueued(dialog, *CallOfResults(dialog).session); return TRUE;
    case kDoneMessage: OnDone(dialog, CallOfResults(dialog)); return TRUE;
    case WM_CLOSE:
      if (!CallOfResults(dialog).searching) CloseResults(dialog, CallOfResults(dialog));
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int ResultsDialog(HWND frame, FindSession& session) {
  const platform::Module controls = platform::LoadCommonControls(ICC_LISTVIEW_CLASSES);
  ResultsCall call{frame, &session};
  const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FIND_RESULTS), frame,
                                           ResultsProcedure, reinterpret_cast<LPARAM>(&call));
  JoinWorker(session.worker);
  return result > 0 ? static_cast<int>(result) : kChoiceCancel;
}

}  // namespace nrv
