#pragma once
// The library's extract callback: output files for the items it extracts, their times and
// attributes, progress, cancel and the password. An item is written under a temporary name
// beside its target and takes the target's place only once the library found it whole, so a
// wrong password, damage, a full disk or Cancel leave a file it would replace as it was.
#include "archive/archive_job_win32.h"
#include "archive/file_streams_win32.h"

namespace nrv {

class CArchiveExtractCallback : public IArchiveExtractCallback, public ICryptoGetTextPassword, public CMyUnknownImp {
 public:
  // destination ends with a backslash; items are written without their first insideLength
  // characters. tempFolder (with its backslash) makes the first output path.
  CArchiveExtractCallback(ArchiveJob& job, IInArchive* archive, Text destination, size_t insideLength,
                          Text tempFolder);
  CArchiveExtractCallback(const CArchiveExtractCallback&) = delete;
  CArchiveExtractCallback& operator=(const CArchiveExtractCallback&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completeValue) override;
  HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** outStream, INT32 askExtractMode) override;
  HRESULT STDMETHODCALLTYPE PrepareOperation(INT32 askExtractMode) override;
  HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 opRes) override;
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override;
  virtual ~CArchiveExtractCallback();

  UINT64 failedItems = 0;
  Text firstOutputPath;  // the temporary folder and the first item's whole path

 private:
  HRESULT ReadItem(UINT32 index);
  // Leaves the item out of the extraction after logging why; the others go on.
  void SkipItem(TextView why, DWORD error);
  HRESULT PutOutputInPlace();
  void DiscardOutput();

  ArchiveJob& job_;
  IInArchive* archive_;  // one reference held
  Text destination_;
  size_t insideLength_;
  Text tempFolder_;
  Text currentPath_;
  Text targetPath_;  // where the item belongs; its bytes go to the stream's temporary file first
  bool extractMode_ = false;
  bool skipped_ = false;
  bool isFolder_ = false;
  UINT32 attributes_ = 0;
  bool attributesDefined_ = false;
  FILETIME writeTime_{};
  bool writeTimeDefined_ = false;
  COutFileStream* stream_ = nullptr;  // one reference held while open
  bool passwordDefined_ = false;
  Text password_;
};

// The log text of an item's failed result: "Unsupported Method", "Data Error", "CRC Failed",
// "Unknown Error".
const char16_t* OperationResultText(INT32 result);

}  // namespace nrv
