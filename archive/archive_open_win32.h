#pragma once
// Reading a whole archive into an ArchiveItemList when a panel enters it.
#include "archive/archive_format.h"
#include "archive/archive_item_list.h"
#include "archive/file_streams_win32.h"

namespace nrv {

// Asks for the password of an archive whose names are encrypted; false on Cancel. The
// program wires it to PasswordDialog.
using PasswordQuestion = bool (*)(Text& password);

// Answers the library's password question while an archive is opened.
class CArchiveOpenCallback : public IArchiveOpenCallback, public ICryptoGetTextPassword, public CMyUnknownImp {
 public:
  explicit CArchiveOpenCallback(PasswordQuestion askPassword) : askPassword_(askPassword) {}

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
  PasswordQuestion askPassword_;
};

enum ArchiveOpenCode : int {
  kArchiveOpened = 0,
  kArchiveNoObject = -1,        // "Unknown archive format" or "Cannot get CreateObject" shown
  kArchiveFileError = -2,       // "Cannot open archive file: %s"
  kArchiveContentError = -3,    // "Error reading archive content: %s"
  kArchiveOuterError = -4,      // "Cannot open archive: %s"
  kArchiveExtractError = -5,    // "Error extracting: %s"
  kArchiveNoInnerFile = -6,     // nothing came out of the outer gzip or bzip2 file
};

struct ArchiveOpenResult {
  int32_t format = 0;  // 9 (tar) after decompressing formats 4 and 5
  Text workPath;       // the decompressed inner file; empty otherwise
  ArchiveItemList items;
};

// Opens path as format (1 to 11) and reads every item, showing the messages of the failures
// (caption "Norvane 1.0.0"). Gzip and bzip2 are first decompressed into tempFolder.
int OpenArchiveForPanel(const Text& path, int32_t format, const Text& tempFolder, PasswordQuestion askPassword,
                        ArchiveOpenResult& result);

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

// OpenArchiveItem's answer for a file that is not entered: the caller runs it.
inline constexpr int kNotAnArchive = 1;

// Enter on the file at index of a local folder, the folder being current: the archive test
// (its failure reported), then entering for the formats that are browsed. 0 entered; -1 not
// entered after a message, the panel on its folder; kNotAnArchive.
int OpenArchiveItem(Panel& panel, ItemList& list, int index, PasswordQuestion askPassword,
                    UdfQuestion askUdf = AskOpenAsUdf);

}  // namespace nrv
