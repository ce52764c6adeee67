#pragma once
// The files an add operation stores, found by scanning the chosen items of the source folder.
#include <windows.h>

#include <vector>

#include "archive/archive_containers.h"
#include "archive/archive_job_win32.h"
#include "archive/extract_selection.h"
#include "platform/text.h"

namespace nrv {

// One file to store. Folders get no record: their parts are in Name, so empty folders are not
// stored. The file is opened as the source folder, a backslash and Name.
struct CDirItem {
  UINT64 Size = 0;
  FILETIME CTime{};
  FILETIME ATime{};
  FILETIME MTime{};
  Text Name;  // relative to the source folder, parts joined by "\"
  UINT32 Attrib = 0;
};

// Scans entries of sourceFolder (absolute, without a closing backslash unless a root) into
// items, showing "Scanning" and each file in the progress window. 0; E_ABORT after a confirmed
// cancel; -1 when a chosen entry is gone ("Cannot find file: %s" logged): the operation ends.
HRESULT ScanDirItems(ArchiveJob& job, const Text& sourceFolder, const std::vector<ExtractEntry>& entries,
                     CObjectVector<CDirItem>& items);

// sourceFolder and a relative name with one backslash between them.
Text SourcePath(const Text& sourceFolder, const Text& name);

}  // namespace nrv
