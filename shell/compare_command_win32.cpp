#include "shell/compare_command_win32.h"

#include "config/dialog_common_win32.h"
#include "core/formatting.h"
#include "core/paths.h"
#include "fileops/progress_dialog_win32.h"
#include "panel/panel_paint.h"
#include "platform/message_box.h"
#include "shell/application.h"
#include "shell/content_compare.h"
#include "shell/compare_dialog_ids.h"

namespace nrv {
namespace {

constexpr UINT_PTR kCompareProgressTimerId = 1101;
constexpr const char16_t* kCaption = u"Compare folders";

CompareSession* timerSession = nullptr;  // the user-interface thread's only

INT_PTR CALLBACK CompareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto& options = *reinterpret_cast<const CompareOptions*>(lParam);
      ::CheckRadioButton(dialog, IDC_COMPARE_SIZE_TIME, IDC_COMPARE_CONTENT,
                         options.byContent ? IDC_COMPARE_CONTENT : IDC_COMPARE_SIZE_TIME);
      ::CheckDlgButton(dialog, IDC_COMPARE_TWO_SECONDS, options.ignoreTwoSeconds ? BST_CHECKED : BST_UNCHECKED);
      CentreOnWindow(dialog, ::GetParent(dialog));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto& options = *reinterpret_cast<CompareOptions*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        options.byContent = ::IsDlgButtonChecked(dialog, IDC_COMPARE_CONTENT) == BST_CHECKED;
        options.ignoreTwoSeconds = ::IsDlgButtonChecked(dialog, IDC_COMPARE_TWO_SECONDS) == BST_CHECKED;
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

bool AskOptions(CompareOptions& options) {
  CompareOptions asked = options;
  const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_COMPARE_FOLDERS),
                                           TheShellWindows().main, CompareDialogProc, reinterpret_cast<LPARAM>(&asked));
  if (result != IDOK) return false;
  options = asked;
  return true;
}

Text Location(const Panel& panel) { return TitleText(panel); }

std::shared_ptr<CompareJob> MakeJob(const CompareOptions& options) {
  auto job = std::make_shared<CompareJob>();
  const Panel& left = PanelOf(kLeftPanel);
  const Panel& right = PanelOf(kRightPanel);
  job->options = options;
  // Contents can be read only where both sides are local folders; elsewhere sizes and times.
  const bool local = KindOf(left) == LocationKind::Local && KindOf(right) == LocationKind::Local;
  job->options.byContent = options.byContent && local;
  if (local) {
    job->leftFolder = left.path;
    job->rightFolder = right.path;
  }
  job->left = CompareEntriesOf(ItemsOf(kLeftPanel));
  job->right = CompareEntriesOf(ItemsOf(kRightPanel));
  job->leftLocation = Location(left);
  job->rightLocation = Location(right);
  job->target = TheShellWindows().main;
  job->finishedEvent = CreateNativeEvent();
  for (const ComparedPair& pair : PairByName(job->left, job->right)) {
    const CompareEntry* l = pair.left >= 0 ? &job->left[pair.left] : nullptr;
    const CompareEntry* r = pair.right >= 0 ? &job->right[pair.right] : nullptr;
    if (NeedsContent(job->options, l, r)) job->bytesTotal += l->size;
  }
  return job;
}

void RunJob(CompareJob& job, const StopFlag& stop) {
  ContentBuffers buffers;
  const auto read = [&](const CompareEntry& left, const CompareEntry& right) {
    {
      const std::lock_guard<std::mutex> hold(job.lock);
      job.current = left.name;
    }
    return CompareFileContents(JoinPath(job.leftFolder, left.name), JoinPath(job.rightFolder, right.name),
                               stop.requested, &job.bytesDone, buffers);
  };
  CompareOutcome outcome = CompareEntryLists(job.options, job.left, job.right, read);
  job.stopped = stop.requested.load();
  if (!job.stopped) job.outcome = std::move(outcome);
  job.finished = true;
  SignalNativeEvent(job.finishedEvent);
  ::PostMessageW(job.target, kCompareDoneMessage, 0, 0);
}

// The progress window's own worker only mirrors the comparison's progress and passes Cancel on.
void ShowProgress(ProgressDialog& dialog, CompareSession& session, CompareJob& job) {
  SetProgressCaption(dialog, kCaption);
  while (::WaitForSingleObject(static_cast<HANDLE>(job.finishedEvent), kProgressRedrawMs) == WAIT_TIMEOUT) {
    if (dialog.cancel) RequestStop(session.worker);
    Text current;
    {
      const std::lock_guard<std::mutex> hold(job.lock);
      current = job.current;
    }
    const int64_t done = job.bytesDone.load();
    SetProgressStatus(dialog, current);
    const int percent = job.bytesTotal > 0 ? static_cast<int>(done * 100 / job.bytesTotal) : 0;
    SetProgressValue(dialog, percent, Text(GroupedSize(done).view()) + u" of " + Text(GroupedSize(job.bytesTotal).view()));
  }
}

void ApplySide(int side, const Text& location, const std::vector<Text>& names) {
  Panel& panel = PanelOf(side);
  if (Location(panel) != location) return;
  SelectNamed(panel, ItemsOf(side), names);
  RepaintPanel(panel, ItemsOf(side));
}

void Finish(CompareSession& session) {
  if (!session.job) return;
  JoinWorker(session.worker);
  const std::shared_ptr<CompareJob> job = std::move(session.job);
  if (job->stopped) return;  // both selections stay as they were
  ApplySide(kLeftPanel, job->leftLocation, job->outcome.leftSelected);
  ApplySide(kRightPanel, job->rightLocation, job->outcome.rightSelected);
  platform::ShowMessage({TheShellWindows().main, CompareMessage(job->outcome), kCaption,
                         platform::MessageIcon::Information, platform::MessageButtons::Ok});
}

void CALLBACK OnProgressDelay(HWND window, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(window, id);
  CompareSession* session = timerSession;
  if (!session || !session->job || session->job->finished) return;
  const std::shared_ptr<CompareJob> job = session->job;
  ProgressDialog dialog;
  dialog.frame = TheShellWindows().main;
  dialog.countLabel = u"Bytes:";
  dialog.run = [session, job](ProgressDialog& shown) { ShowProgress(shown, *session, *job); };
  session->progressOpen = true;
  if (RunProgressDialog(dialog) != 0) ::WaitForSingleObject(static_cast<HANDLE>(job->finishedEvent), INFINITE);
  session->progressOpen = false;
  Finish(*session);
}

}  // namespace

CompareJob::~CompareJob() { CloseNativeEvent(finishedEvent); }

void CompareFoldersCommand(CompareSession& session) {
  if (session.job) {
    ::MessageBeep(MB_OK);  // one comparison at a time
    return;
  }
  if (!AskOptions(session.remembered)) return;
  session.job = MakeJob(session.remembered);
  const std::shared_ptr<CompareJob> job = session.job;
  if (!StartWorker(session.worker, [job](const StopFlag& stop) { RunJob(*job, stop); })) {
    session.job.reset();
    return;
  }
  timerSession = &session;
  ::SetTimer(TheShellWindows().main, kCompareProgressTimerId, kCompareProgressDelayMs, OnProgressDelay);
}

void OnCompareDone(CompareSession& session) {
  if (session.progressOpen) return;  // the progress window ends first, then finishes
  ::KillTimer(TheShellWindows().main, kCompareProgressTimerId);
  Finish(session);
}

}  // namespace nrv
