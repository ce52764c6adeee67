#pragma once
// Names inside archives for find files: matching them during the walk, going to one in a panel
// and opening one.
#include "archive/archive_open_win32.h"
#include "find/find_query.h"
#include "find/search_results.h"

namespace nrv {

// When the file at path is an archive that is browsed, queues every item whose name matches
// the query's mask (folders only with includeFolders); the number queued. Called on the search
// thread: it asks nothing (an image is read as ISO, encrypted names are skipped). announce is
// called when the queue must be announced.
int QueueArchiveMatches(TextView path, const FindFilesQuery& query, ResultQueue& queue, void (*announce)(void*),
                        void* context);

// Go to for a name inside an archive: the panel enters the archive at the item's folder with the
// cursor on it. 0 entered; -1 when the panel stays in (or falls back to) a local folder.
int GoToFoundInArchive(Panel& panel, ItemList& list, TextView archivePath, TextView inside,
                       PasswordQuestion askPassword);

// Open on a name inside an archive: extracts it to the temporary folder and opens it.
int OpenFoundInArchive(HWND owner, TextView archivePath, TextView inside);

}  // namespace nrv
