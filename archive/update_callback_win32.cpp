#include "archive/update_callback_win32.h"

#include <string>

#include "archive/property_variant_win32.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

enum : PROPID { kpidCTime = 10, kpidATime = 11, kpidIsAnti = 21 };

UINT64 FileTimeValue(const FILETIME& time) {
  return (UINT64{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

CArchiveUpdateCallback::CArchiveUpdateCallback(ArchiveJob& job, const CObjectVector<CDirItem>& items,
                                               Text sourceFolder)
    : job_(job), items_(items), sourceFolder_(std::move(sourceFolder)) {}

HRESULT CArchiveUpdateCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IArchiveUpdateCallback2)
    *object = static_cast<IArchiveUpdateCallback2*>(this);
  else if (iid == IID_ICryptoGetTextPassword2)
    *object = static_cast<ICryptoGetTextPassword2*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG CArchiveUpdateCallback::AddRef() { return AddReference(); }

ULONG CArchiveUpdateCallback::Release() {
  const ULONG count = DropReference();
  if (count == 0) delete this;
  return count;
}

HRESULT CArchiveUpdateCallback::SetTotal(UINT64 total) {
  SetArchiveTotal(job_, total);
  return S_OK;
}

HRESULT CArchiveUpdateCallback::SetCompleted(const UINT64* completeValue) {
  return SetArchiveCompleted(job_, completeValue);
}

HRESULT CArchiveUpdateCallback::GetUpdateItemInfo(UINT32, INT32* newData, INT32* newProps, UINT32* indexInArchive) {
  if (newData) *newData = 1;
  if (newProps) *newProps = 1;
  if (indexInArchive) *indexInArchive = 0xFFFFFFFFu;
  return S_OK;
}

HRESULT CArchiveUpdateCallback::GetProperty(UINT32 index, PROPID propID, PROPVARIANT* value) {
  ::PropVariantInit(value);
  if (propID == kpidIsAnti) {
    SetPropertyBool(*value, false);
    return S_OK;
  }
  if (index >= static_cast<UINT32>(items_.Size())) return E_INVALIDARG;
  const CDirItem& item = items_[static_cast<int>(index)];
  switch (propID) {
    case kpidPath: SetPropertyText(*value, item.Name); break;
    case kpidIsDir: SetPropertyBool(*value, (item.Attrib & FILE_ATTRIBUTE_DIRECTORY) != 0); break;
    case kpidSize: SetPropertyUInt64(*value, item.Size); break;
    case kpidAttrib:
      value->vt = VT_UI4;
      value->ulVal = item.Attrib;
      break;
    case kpidCTime: SetPropertyFileTime(*value, FileTimeValue(item.CTime)); break;
    case kpidATime: SetPropertyFileTime(*value, FileTimeValue(item.ATime)); break;
    case kpidMTime: SetPropertyFileTime(*value, FileTimeValue(item.MTime)); break;
    default: break;
  }
  return S_OK;
}

HRESULT CArchiveUpdateCallback::GetStream(UINT32 index, ISequentialInStream** inStream) {
  *inStream = nullptr;
  needBeClosed = false;
  if (index >= static_cast<UINT32>(items_.Size())) return E_INVALIDARG;
  const CDirItem& item = items_[static_cast<int>(index)];
  SetArchiveOperation(job_, u"Compressing", item.Name.empty() ? Text(u"extract.tmp") : item.Name);
  if (item.Attrib & FILE_ATTRIBUTE_DIRECTORY) return S_OK;
  const Text path = SourcePath(sourceFolder_, item.Name);
  auto* stream = new CInFileStream;
  stream->AddRef();
  if (!stream->Open(path)) {
    const DWORD error = ::GetLastError();
    stream->Release();
    FailedCodes.Add(error);
    FailedFiles.Add(UString(path));
    LogArchiveError(job_, u"Cannot open file: " + path, static_cast<int32_t>(error));
    return S_FALSE;  // the library leaves the file out and goes on
  }
  *inStream = stream;
  return S_OK;
}

HRESULT CArchiveUpdateCallback::SetOperationResult(INT32) {
  needBeClosed = true;
  return S_OK;
}

HRESULT CArchiveUpdateCallback::GetVolumeSize(UINT32 index, UINT64* size) {
  if (VolumeSizes.IsEmpty()) return S_FALSE;
  const int last = VolumeSizes.Size() - 1;
  *size = VolumeSizes[static_cast<int>(index) < last ? static_cast<int>(index) : last];
  return S_OK;
}

HRESULT CArchiveUpdateCallback::GetVolumeStream(UINT32 index, ISequentialOutStream** volumeStream) {
  *volumeStream = nullptr;
  const Text path = volumeName + u"." + Ascii(std::to_string(index + 1));
  auto* stream = new COutFileStream;
  stream->AddRef();
  if (!stream->Create(path, OutFileCreation::NewOnly)) {
    const HRESULT error = LastErrorResult();
    stream->Release();
    return error;
  }
  *volumeStream = stream;
  return S_OK;
}

HRESULT CArchiveUpdateCallback::Unused() { return E_NOTIMPL; }

HRESULT CArchiveUpdateCallback::CryptoGetTextPassword2(INT32* passwordIsDefined, BSTR* password) {
  if (passwordIsDefined) *passwordIsDefined = 0;
  if (password) *password = nullptr;
  return S_OK;
}

}  // namespace nrv
