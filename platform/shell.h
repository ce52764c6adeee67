#pragma once
// The shell's services that portable commands hand work to.
#include <cstdint>

#include "platform/handles.h"
#include "platform/text.h"

namespace nrv::platform {

// ShellExecuteW with no owner and a normal window; the shell's result (above 32 is success).
intptr_t ExecuteWithShell(TextView verb, TextView file, TextView parameters, TextView directory);

// SHGetFileInfoW with SHGFI_EXETYPE.
uint32_t ExecutableType(TextView path);

// The system folder ("C:\windows\system32"), without a final backslash.
Text SystemFolder();

// Creates every missing folder of an absolute path in one call; a Win32 error code (0 success).
uint32_t CreateFolderChain(TextView path);

// The item's properties sheet ("properties" verb through its shell menu), owned by owner.
bool ShowProperties(NativeWindow owner, TextView name);

// GetFullPathNameW against the current directory.
Text FullPathName(TextView path);

bool IsExistingFolder(TextView path);

// Reads the reparse data of a link without following it. False when it cannot be opened or
// read (last error set).
bool ReadReparseTarget(TextView path, uint32_t& tag, Text& target);

}  // namespace nrv::platform
