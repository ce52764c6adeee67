#pragma once
// Compare folders: the options dialog, the comparison on a worker of its own, the progress
// window once it takes longer than a glance, and the result as both panels' selections.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "core/folder_compare.h"
#include "platform/worker.h"

namespace nrv {

inline constexpr UINT kCompareDoneMessage = WM_APP + 50;  // to the main window: the worker ended
inline constexpr UINT kCompareProgressDelayMs = 150;

// Everything the worker reads is copied in here before it starts: the lists, absolute folders
// and the options. The worker writes only the progress fields and, last, the outcome.
struct CompareJob {
  CompareOptions options;
  std::vector<CompareEntry> left;
  std::vector<CompareEntry> right;
  Text leftFolder;  // local folders, for the content comparison; empty otherwise
  Text rightFolder;
  Text leftLocation;  // the panels' titles when it started: a panel that moved gets no selection
  Text rightLocation;
  HWND target = nullptr;

  std::mutex lock;
  Text current;  // the name being read
  std::atomic<int64_t> bytesDone{0};
  int64_t bytesTotal = 0;
  NativeEvent finishedEvent = nullptr;
  std::atomic<bool> finished{false};
  bool stopped = false;
  CompareOutcome outcome;

  ~CompareJob();
};

struct CompareSession {
  CompareOptions remembered;  // the dialog's choices for the rest of the run
  Worker worker;
  std::shared_ptr<CompareJob> job;
  bool progressOpen = false;
};

void CompareFoldersCommand(CompareSession& session);
// kCompareDoneMessage.
void OnCompareDone(CompareSession& session);

}  // namespace nrv
