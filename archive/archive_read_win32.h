#pragma once
// Entering an archive on the panel's reading worker: the library's open, a gzip's or bzip2's
// inner tar and the item list run there; the password question is posted to the window's
// thread, which asks it and hands the answer back. The panel stays on its folder until the
// list arrives; a stopped read leaves nothing behind.
#include <windows.h>

#include "archive/archive_open_win32.h"
#include "core/panel_read.h"

namespace nrv {

// Posted by an archive read's worker to the window its panel reports to: lParam the question,
// which the window's thread answers with OnArchivePasswordQuestion.
inline constexpr UINT kArchivePasswordMessage = WM_APP + 30;

struct ArchiveReadJob {
  Text path;            // the archive, absolute
  Text name;            // its name in the folder: the cursor's place when the archive is left
  int32_t format = 0;   // as the quick test found it
  Text tempFolder;      // where a gzip's or bzip2's inner archive goes
  Text folder;          // the folder inside to show; the root when the archive has none such
  int32_t sortMode = kSortName;
  PasswordQuestion askPassword = nullptr;  // run on the window's thread
  NativeWindow window = nullptr;           // where the question is posted
  std::function<void()> checkpoint;        // ArchiveReadControl's
};

// The worker's read: the root's visible list in the exchange, the archive's items and inner
// file held by its adopt, which gives them to the panel when the list is swapped in (and
// removes the inner file when the read ends any other way), a failure's message as errorText.
void RunArchiveRead(const ArchiveReadJob& job, ReadExchange& exchange, const StopFlag& stop);

// Enter on an archive of a panel that reads in the background: the read of the archive
// panel.path\name starts, the panel stays where it is until the list arrives.
void EnterArchiveOnWorker(Panel& panel, const Text& name, int32_t format, PasswordQuestion askPassword,
                          const ArchiveEntry& at = {});

// On a worker: the question asked on window's thread, waiting for the answer; a raised stop
// flag ends the wait as a Cancel. False on Cancel.
bool AskPasswordFromWorker(NativeWindow window, PasswordQuestion ask, const StopFlag& stop, Text& password);

// The window's side of kArchivePasswordMessage.
void OnArchivePasswordQuestion(LPARAM question);

}  // namespace nrv
