#pragma once
// Names inside archives for find files: matching them during the walk, going to one in a panel
// and opening one.
#include "archive/archive_open_win32.h"
#include "find/find_query.h"
#include "find/search_results.h"

namespace nrv {

// QueueArchiveMatches for an archive it could not read (damaged, locked, names encrypted).
inline constexpr int kArchiveNotRead = -1;

// When the file at path is an archive that is browsed, queues every item whose name matches
// the query's mask (folders only with includeFolders); the number queued, or kArchiveNotRead.
// Called on the search thread: it asks and shows nothing (an image is read as ISO, an archive
// whose names are encrypted is not read). announce is called when the queue must be announced.
int QueueArchiveMatches(TextView path, const FindFilesQuery& query, ResultQueue& queue, void (*announce)(void*),
                        void* context);

// Go to for a name inside an archive: the panel enters the archive at the item's folder with the
// cursor on it. 0 entered; -1 when the panel stays in (or falls back to) a local folder.
int GoToFoundInArchive(Panel& panel, ItemList& list, TextView archivePath, TextView inside,
                       PasswordQuestion askPassword);

// Open on a name inside an archive: extracts it to the temporary folder and opens it.
int OpenFoundInArchive(HWND owner, TextView archivePath, TextView inside);

}  // namespace nrv
