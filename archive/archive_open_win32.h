#pragma once
// Reading a whole archive into an ArchiveItemList when a panel enters it.
#include <atomic>
#include <functional>

#include "archive/archive_format.h"
#include "archive/archive_item_list.h"
#include "archive/file_streams_win32.h"
#include "platform/worker.h"

namespace nrv {

// Asks for the password of an archive whose names are encrypted; false on Cancel. The
// program wires it to PasswordDialog.
using PasswordQuestion = bool (*)(Text& password);
// The same question as the library's callbacks ask it: on a worker it goes to the window's thread.
using PasswordAsk = std::function<bool(Text& password)>;

// What a read on a worker looks at between the library's steps; empty for a read at once.
struct ArchiveReadControl {
  const StopFlag* stop = nullptr;
  std::atomic<int32_t>* count = nullptr;  // items read so far, for the panel's title
  // Called at every look at the stop flag, from whichever thread the library calls back on:
  // where the tests raise the flag at a point of their choice.
  std::function<void()> checkpoint;
};

// Whether the read is to end now: the library's callbacks then answer E_ABORT.
bool ArchiveReadStopped(const ArchiveReadControl& control);

// Answers the library's password question while an archive is opened.
class CArchiveOpenCallback : public IArchiveOpenCallback, public ICryptoGetTextPassword, public CMyUnknownImp {
 public:
  explicit CArchiveOpenCallback(PasswordAsk askPassword, const ArchiveReadControl* control = nullptr)
      : askPassword_(std::move(askPassword)), control_(control) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) override;
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override;
  virtual ~CArchiveOpenCallback() = default;

  bool passwordIsDefined = false;
  Text password;

 private:
  PasswordAsk askPassword_;
  const ArchiveReadControl* control_;
};

enum ArchiveOpenCode : int {
  kArchiveOpened = 0,
  kArchiveNoObject = -1,        // "Unknown archive format" or "Cannot get CreateObject" shown
  kArchiveFileError = -2,       // "Cannot open archive file: %s"
  kArchiveContentError = -3,    // "Error reading archive content: %s"
  kArchiveOuterError = -4,      // "Cannot open archive: %s"
  kArchiveExtractError = -5,    // "Error extracting: %s"
  kArchiveNoInnerFile = -6,     // nothing came out of the outer gzip or bzip2 file
  kArchiveStopped = -7,         // the stop flag was raised: nothing is kept, nothing shown
};

struct ArchiveOpenResult {
  int32_t format = 0;  // 9 (tar) after decompressing formats 4 and 5
  Text workPath;       // the decompressed inner file; empty otherwise
  ArchiveItemList items;
  Text errorText;  // a failure's message, made where it failed; none for a stop
};

// Opens path as format (1 to 11) and reads every item, showing the messages of the failures
// (caption "Norvane 1.0.0"). Gzip and bzip2 are first decompressed into tempFolder.
int OpenArchiveForPanel(const Text& path, int32_t format, const Text& tempFolder, PasswordQuestion askPassword,
                        ArchiveOpenResult& result);
// The same without a message, for a worker: a failure's text is left in result. Whatever did
// not open leaves no inner file behind.
int OpenArchiveQuietly(const Text& path, int32_t format, const Text& tempFolder, const PasswordAsk& askPassword,
                       const ArchiveReadControl& control, ArchiveOpenResult& result);

// Reads every item of an archive of a class already decided.
int ReadArchiveItems(const Text& path, int32_t format, PasswordQuestion askPassword, ArchiveItemList& items);
// The same without a message, for a worker thread: the code alone says what failed.
int ReadArchiveItemsQuietly(const Text& path, int32_t format, PasswordQuestion askPassword, ArchiveItemList& items);

// A new subfolder of the process's private folder for one copy, ending with a backslash; not
// yet made, empty when there is no private folder.
Text ArchiveTempFolder();

// Enters the archive panel.findName in panel.path: archiveOpen, archiveFormat and findName are
// set by the caller. On success the folder's watcher is stopped, the panel's archive list and
// visible list are filled and its cursor and selection reset; on failure archiveOpen is cleared
// and visible is untouched. The caller draws the panel.
int EnterArchive(Panel& panel, ItemList& visible, PasswordQuestion askPassword);

// Where a panel entering an archive lands: a folder inside it (empty for the root, else ending
// with a separator; the root when the archive has no such folder) and the item for the cursor.
struct ArchiveEntry {
  Text folder;
  Text cursorName;
};

// OpenArchiveItem's answer for a file that is not entered: the caller runs it.
inline constexpr int kNotAnArchive = 1;

// Enter on the file at index of a local folder, the folder being current: the archive test
// (its failure reported), then entering for the formats that are browsed. 0 entered; -1 not
// entered after a message, the panel on its folder; kNotAnArchive. Where the panel reads in the
// background, 0 means the read has started: the archive is entered when its list arrives.
int OpenArchiveItem(Panel& panel, ItemList& list, int index, PasswordQuestion askPassword,
                    UdfQuestion askUdf = AskOpenAsUdf, const ArchiveEntry& at = {});

}  // namespace nrv
