#pragma once
// The threads of this process, to wait until the ones a test caused have ended.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "platform/win32/gdi_objects.h"

namespace nrv::test {

inline void CloseKernelObject(HANDLE handle) { ::CloseHandle(handle); }
using KernelObject = platform::UniqueHandle<HANDLE, CloseKernelObject>;

inline std::vector<DWORD> ThreadsOfThisProcess() {
  std::vector<DWORD> ids;
  const KernelObject snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry))
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ids.push_back(entry.th32ThreadID);
  return ids;
}

// The threads running when it was made; it holds them open so that their identifiers are not
// given to new threads meanwhile.
class ThreadBaseline {
 public:
  ThreadBaseline() : ids_(ThreadsOfThisProcess()) {
    for (const DWORD id : ids_) held_.emplace_back(::OpenThread(SYNCHRONIZE, FALSE, id));
  }

  // Threads running now that were not then.
  size_t Begun() const {
    const std::vector<DWORD> now = ThreadsOfThisProcess();
    return static_cast<size_t>(std::count_if(now.begin(), now.end(), [this](DWORD id) {
      return std::find(ids_.begin(), ids_.end(), id) == ids_.end();
    }));
  }

 private:
  std::vector<DWORD> ids_;
  std::vector<KernelObject> held_;
};

}  // namespace nrv::test
