#pragma once
// The library's update callback when a new 7z archive is written: every item is new, its data
// comes from the file the scan found.
#include "archive/archive_containers.h"
#include "archive/dir_items_win32.h"
#include "archive/file_streams_win32.h"

namespace nrv {

class CArchiveUpdateCallback : public IArchiveUpdateCallback2, public ICryptoGetTextPassword2, public CMyUnknownImp {
 public:
  CArchiveUpdateCallback(ArchiveJob& job, const CObjectVector<CDirItem>& items, Text sourceFolder);
  CArchiveUpdateCallback(const CArchiveUpdateCallback&) = delete;
  CArchiveUpdateCallback& operator=(const CArchiveUpdateCallback&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completeValue) override;
  HRESULT STDMETHODCALLTYPE GetUpdateItemInfo(UINT32 index, INT32* newData, INT32* newProps,
                                              UINT32* indexInArchive) override;
  HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID propID, PROPVARIANT* value) override;
  HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialInStream** inStream) override;
  HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 operationResult) override;
  HRESULT STDMETHODCALLTYPE GetVolumeSize(UINT32 index, UINT64* size) override;
  HRESULT STDMETHODCALLTYPE GetVolumeStream(UINT32 index, ISequentialOutStream** volumeStream) override;
  // The table's last slot, which this program never offers.
  virtual HRESULT STDMETHODCALLTYPE Unused();
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword2(INT32* passwordIsDefined, BSTR* password) override;
  virtual ~CArchiveUpdateCallback() = default;

  bool needBeClosed = false;
  CObjectVector<UString> FailedFiles;
  CRecordVector<UINT32> FailedCodes;
  CRecordVector<UINT64> VolumeSizes;  // empty: one volume
  Text volumeName;                    // the archive's path, for volumes' names

 private:
  ArchiveJob& job_;
  const CObjectVector<CDirItem>& items_;
  Text sourceFolder_;
};

}  // namespace nrv
