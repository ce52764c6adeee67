#pragma once
// The names the add-to-archive command proposes and writes through.
#include "platform/text.h"

namespace nrv {

// With items selected, the last part of the panel's folder and ".7z" (the drive letter for a
// drive root); else the cursor item's name and ".7z".
Text ArchiveProposal(TextView folder, int selectedCount, TextView cursorName);

// Where an archive that replaces an existing one is written until it is complete: beside it,
// so that the final rename stays on one volume. attempt makes it unique.
Text TemporaryArchivePath(TextView archivePath, int attempt);

// "Filename too long: %s\%s" applies when folder and name together reach this length.
inline constexpr size_t kMaxScannedPath = 259;
bool ScannedPathTooLong(TextView folder, TextView name);

}  // namespace nrv
