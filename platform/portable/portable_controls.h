#pragma once
// Controls of the portable platform layer that host tests use to stage the world.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv::platform::portable {

// Empties the in-memory registry and clears any staged write failure.
void ResetRegistry();
// Every later SetValue/CreateUserKey for writing fails with this code; 0 lets writes through.
void SetRegistryWriteFailure(uint32_t errorCode);

struct FakeDrive {
  char16_t letter = u'C';
  uint32_t type = 3;
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;
  Text label;  // empty: the volume call fails
};
// The drives the layer reports; by default one fixed drive C: with no label.
void SetDrives(std::vector<FakeDrive> drives);

// The next FindFirst fails with this code, as an unreadable folder would (root reads them all).
void FailNextFindFirst(uint32_t errorCode);

}  // namespace nrv::platform::portable

namespace nrv::platform::portable {

// What the portable shell was asked to do, in order, and the result it gives.
struct ShellCall {
  Text verb, file, parameters, directory;
};
std::vector<ShellCall> TakeShellCalls();
void SetShellExecuteResult(intptr_t result);
// The answer of ExecutableType for every path.
void SetExecutableType(uint32_t type);

}  // namespace nrv::platform::portable
