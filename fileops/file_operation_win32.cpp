#include "fileops/file_operation_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "panel/update_target_win32.h"
#include "platform/system.h"
#include "platform/win32/gdi_objects.h"
#include "shell/error_report.h"
#include "shell/running_operations.h"

namespace nrv {
namespace {

inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
using KernelHandle = platform::UniqueHandle<HANDLE, CloseKernelHandle>;

std::vector<wchar_t> CopyList(const Text& list, uint32_t length) {
  std::vector<wchar_t> copy(length + 2, L'\0');  // always closed by two NULs
  for (uint32_t i = 0; i < length && i < list.size(); ++i) copy[i] = static_cast<wchar_t>(list[i]);
  return copy;
}

DWORD WINAPI FileOperationWorker(LPVOID) {
  RunningFileOperations().fetch_add(1);
  FileOperationRequest& request = TheFileOperationRequest();
  std::vector<wchar_t> sources = CopyList(request.sourceList, request.sourceLength);
  std::vector<wchar_t> destination = CopyList(request.destinationList, request.destinationLength);
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = nullptr;
  operation.wFunc = request.operation;
  operation.pFrom = sources.data();
  operation.pTo = destination.data();
  operation.fFlags = request.flags;
  ::SetEvent(static_cast<HANDLE>(request.handedOver));

  // The shell reports its own failures; the panels are read again whatever happened.
  ::SHFileOperationW(&operation);
  sources = {};
  destination = {};
  SendUpdateFileLists(0);
  RunningFileOperations().fetch_sub(1);
  return 0;
}

}  // namespace

int StartFileOperationWorker(FileOperationRequest& request) {
  KernelHandle handedOver(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  KernelHandle thread;
  if (handedOver) {
    request.handedOver = handedOver.Get();
    thread.Reset(::CreateThread(nullptr, 0, FileOperationWorker, nullptr, 0, nullptr));
  }
  if (!thread) {
    request.handedOver = nullptr;
    ReportError(u"File operations thread failed");
    return -1;
  }
  ::WaitForSingleObject(handedOver.Get(), INFINITE);
  request.handedOver = nullptr;
  platform::SetWaitCursor(false);
  return 0;
}

FileOperationHooks ShellFileOperationHooks(DestinationPrompt prompt) {
  FileOperationHooks hooks;
  hooks.prompt = prompt;
  hooks.startWorker = &StartFileOperationWorker;
  return hooks;
}

}  // namespace nrv
