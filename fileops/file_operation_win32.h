#pragma once
// The shell side of copy, move and delete: SHFileOperationW on a worker thread.
#include "core/panel_context.h"
#include "fileops/file_operation.h"
#include "platform/worker.h"

namespace nrv {

// The shell's file operation for job, on the calling thread; the shell's result.
int RunFileOperationJob(const FileOperationJob& job);

// Runs job on a worker of workers; at its end both panels are asked to be re-read (posted to
// the context's update target). The context's runningFileOperations counts it from here until then. "File
// operations thread failed" when the thread cannot start. 0 or -1.
int StartFileOperationWorker(WorkerSet& workers, PanelContext& context, FileOperationJob job);

// The hooks of the real program: the given prompt and the shell worker. FTP transfers and
// archive extraction are not connected yet.
FileOperationHooks ShellFileOperationHooks(DestinationPrompt prompt, WorkerSet& workers, PanelContext& context);

}  // namespace nrv
