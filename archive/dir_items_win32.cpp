#include "archive/dir_items_win32.h"

#include "archive/file_helpers_win32.h"
#include "archive/pack_names.h"
#include "core/panel_item.h"
#include "core/paths.h"
#include "platform/files.h"

namespace nrv {
namespace {

FILETIME FileTimeOf(uint64_t value) {
  return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

CDirItem ItemOf(const platform::FindData& data, Text name) {
  CDirItem item;
  item.Size = (UINT64{data.sizeHigh} << 32) | data.sizeLow;
  item.CTime = FileTimeOf(data.creationTime);
  item.ATime = FileTimeOf(data.accessTime);
  item.MTime = FileTimeOf(data.writeTime);
  item.Name = std::move(name);
  item.Attrib = data.attributes;
  return item;
}

void ShowScanned(ArchiveJob& job, const Text& name) {
  SetProgressCaption(job.progress, u"Scanning");
  SetProgressStatus(job.progress, name);
}

// folder is relative to sourceFolder.
HRESULT ScanFolder(ArchiveJob& job, const Text& sourceFolder, const Text& folder, CObjectVector<CDirItem>& items) {
  platform::FindHandle search;
  platform::FindData data;
  // A folder that cannot be listed adds nothing and is no error.
  if (!platform::FindFirst(SourcePath(sourceFolder, folder) + u"\\*", search, data)) return S_OK;
  do {
    if (ArchiveAbortConfirmed(job)) return E_ABORT;
    if (IsDotName(data.name)) continue;
    if (data.attributes & platform::kAttributeDirectory) {
      // A junction may lead back up: its files are stored where they really are, not again.
      if (!(data.attributes & platform::kAttributeReparsePoint))
        ScanFolder(job, sourceFolder, folder + u"\\" + data.name, items);
      continue;
    }
    if (ScannedPathTooLong(folder, data.name)) {
      LogArchiveError(job, u"Filename too long: " + folder + u"\\" + data.name, 0);
      continue;
    }
    Text name = folder + u"\\" + data.name;
    ShowScanned(job, name);
    items.Add(ItemOf(data, std::move(name)));
  } while (platform::FindNext(search, data));
  return S_OK;
}

}  // namespace

Text SourcePath(const Text& sourceFolder, const Text& name) { return JoinPath(sourceFolder, name); }

HRESULT ScanDirItems(ArchiveJob& job, const Text& sourceFolder, const std::vector<ExtractEntry>& entries,
                     CObjectVector<CDirItem>& items) {
  for (const ExtractEntry& entry : entries) {
    const Text name = entry.name.substr(0, kMaxScannedPath);
    if (entry.isFolder) {
      if (ScanFolder(job, sourceFolder, name, items) == E_ABORT || job.abortConfirmed) return E_ABORT;
      continue;
    }
    ShowScanned(job, name);
    platform::FindData data;
    if (!FindFileData(SourcePath(sourceFolder, name), data)) {
      LogArchiveError(job, u"Cannot find file: " + name, static_cast<int32_t>(::GetLastError()));
      return -1;
    }
    items.Add(ItemOf(data, name));
  }
  return S_OK;
}

}  // namespace nrv
