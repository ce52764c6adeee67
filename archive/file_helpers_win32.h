#pragma once
// The small file-system helpers of the archive code.
#include <windows.h>

#include "platform/files.h"
#include "platform/text.h"

namespace nrv {

// The first match of path, the search closed at once. False when nothing is found.
bool FindFileData(const Text& path, platform::FindData& data);

// Creates path and every missing folder above it (never above a drive "X:"). True when the
// folder exists afterwards; false when a file stands in its place.
bool CreateFolderChain(Text path);

// Clears the attributes first, so read-only files go too. True only when both steps work.
bool DeleteFileAlways(const Text& path);

// Closes a file handle that is open and marks it closed.
void CloseIfOpen(HANDLE& handle);
// The same for a search handle.
void CloseSearchIfOpen(HANDLE& handle);

}  // namespace nrv
