#pragma once
// The process's own folder for temporary copies (files opened from archives and FTP panels, a
// gzip's inner tar): "Norvane-<pid>" in the user's temporary folder, made fresh at start and
// removed at exit. A folder of that form whose process no longer runs was left by a crash and
// goes at the next start; one whose process runs belongs to another instance and stays.
#include <cstdint>

#include "platform/text.h"

namespace nrv::platform {

// Removes the left-over folders in parent (empty: the user's temporary folder), then makes
// this process's folder empty and new. False when it cannot be made.
bool OpenPrivateFolder(TextView parent = {});
// The folder when it is there; else a late try to make it (a start that could not). False
// when there is none.
bool EnsurePrivateFolder();
// Removes the folder with everything in it.
void ClosePrivateFolder();
// With its final backslash; empty while there is none.
Text PrivateFolder();
// A path for one new copy, ending with a backslash: a subfolder of the private folder that no
// copy of this run used, so whatever is found there later was put there by its own operation.
// Not yet made; empty when there is no private folder.
Text NewPrivateSubfolder();
// Deletes the copy at path and the subfolder that holds it, when both lie inside the private
// folder; anything else is left alone.
void RemovePrivateCopy(TextView path);

// The process number a folder name of the private form gives, or 0 for any other name.
uint32_t PrivateFolderOwner(TextView name);

}  // namespace nrv::platform
