#pragma once
// Path texts of local folders: the one home for joining and testing them.
#include "platform/text.h"

namespace nrv {

bool IsPathSeparator(char16_t c);
// "C:\..." or "\..." (a root-relative or UNC path).
bool IsAbsolutePath(TextView path);
// folder and name with exactly one backslash between them.
Text JoinPath(TextView folder, TextView name);
// name as it is when absolute, else joined to folder.
Text AbsolutePath(TextView folder, TextView name);
// path without its leading "." parts: an archive made from "." names its items "./a.txt",
// which are the items at its root. "." alone gives an empty path: the root itself.
TextView WithoutCurrentFolderParts(TextView path);

}  // namespace nrv
