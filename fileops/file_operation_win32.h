#pragma once
// The shell side of copy, move and delete: the worker thread around SHFileOperationW.
#include "fileops/file_operation.h"

namespace nrv {

// Creates the handed-over event, starts the worker and waits until it has copied the request;
// "File operations thread failed" when the thread cannot start. 0 or -1.
int StartFileOperationWorker(FileOperationRequest& request);

// The hooks of the real program: the given prompt and the shell worker. FTP transfers and
// archive extraction are not connected yet.
FileOperationHooks ShellFileOperationHooks(DestinationPrompt prompt);

}  // namespace nrv
