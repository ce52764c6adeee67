#include "archive/extract_callback_win32.h"

#include "archive/extract_selection.h"
#include "archive/file_helpers_win32.h"
#include "archive/property_variant_win32.h"
#include "platform/win32/wide.h"

namespace nrv {

const char16_t* OperationResultText(INT32 result) {
  switch (result) {
    case 1: return u"Unsupported Method";
    case 2: return u"Data Error";
    case 3: return u"CRC Failed";
    default: return u"Unknown Error";
  }
}

CArchiveExtractCallback::CArchiveExtractCallback(ArchiveJob& job, IInArchive* archive, Text destination,
                                                 size_t insideLength, Text tempFolder)
    : job_(job),
      archive_(archive),
      destination_(std::move(destination)),
      insideLength_(insideLength),
      tempFolder_(std::move(tempFolder)) {
  if (destination_.empty() || destination_.back() != u'\\') destination_ += u'\\';
  archive_->AddRef();
}

CArchiveExtractCallback::~CArchiveExtractCallback() {
  // An item still open when the library has finished is cut short (a full disk, Cancel in a
  // large file): a truncated file that looks whole would be worse than none.
  if (stream_) {
    stream_->CloseFile();
    stream_->Release();
    DeleteFileAlways(outputPath_);
  }
  archive_->Release();
}

HRESULT CArchiveExtractCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_ICryptoGetTextPassword) return E_NOINTERFACE;
  *object = static_cast<ICryptoGetTextPassword*>(this);
  AddRef();
  return S_OK;
}

ULONG CArchiveExtractCallback::AddRef() { return AddReference(); }

ULONG CArchiveExtractCallback::Release() {
  const ULONG count = DropReference();
  if (count == 0) delete this;
  return count;
}

HRESULT CArchiveExtractCallback::SetTotal(UINT64 total) {
  SetArchiveTotal(job_, total);
  return S_OK;
}

HRESULT CArchiveExtractCallback::SetCompleted(const UINT64* completeValue) {
  return SetArchiveCompleted(job_, completeValue);
}

HRESULT CArchiveExtractCallback::ReadItem(UINT32 index) {
  PropVariantHolder value;
  archive_->GetProperty(index, kpidAttrib, value.Out());
  if (value.value.vt == VT_EMPTY) {
    attributesDefined_ = false;
  } else if (value.value.vt == VT_UI4) {
    attributes_ = value.value.ulVal;
    attributesDefined_ = true;
  } else {
    return E_FAIL;
  }
  archive_->GetProperty(index, kpidIsDir, value.Out());
  isFolder_ = value.value.vt == VT_BOOL && value.value.boolVal != VARIANT_FALSE;
  archive_->GetProperty(index, kpidMTime, value.Out());
  if (value.value.vt == VT_EMPTY) {
    writeTimeDefined_ = false;
  } else if (value.value.vt == VT_FILETIME) {
    writeTime_ = value.value.filetime;
    writeTimeDefined_ = true;
  } else {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT CArchiveExtractCallback::GetStream(UINT32 index, ISequentialOutStream** outStream, INT32 askExtractMode) {
  *outStream = nullptr;
  if (stream_) {
    stream_->Release();
    stream_ = nullptr;
  }
  Text path;
  {
    PropVariantHolder value;
    archive_->GetProperty(index, kpidPath, value.Out());
    if (value.value.vt == VT_EMPTY)
      path = u"extract.tmp";
    else if (value.value.vt != VT_BSTR || PropertyToText(value.value, path) != 0)
      return E_FAIL;
  }
  if (firstOutputPath.empty()) firstOutputPath = tempFolder_ + path;
  if (askExtractMode != 0) {
    currentPath_ = std::move(path);
    return S_OK;
  }
  currentPath_ = OutputRelativePath(path, insideLength_);
  if (const HRESULT read = ReadItem(index); read != S_OK) return read;
  if (const TextView parent = ParentPart(currentPath_); !parent.empty())
    CreateFolderChain(destination_ + Text(parent));
  outputPath_ = destination_ + currentPath_;
  if (isFolder_) {
    CreateFolderChain(outputPath_);
    return S_OK;
  }
  if (::GetFileAttributesW(platform::Wide(outputPath_)) != INVALID_FILE_ATTRIBUTES && !DeleteFileAlways(outputPath_)) {
    const DWORD error = ::GetLastError();
    LogArchiveError(job_, u"Cannot open output file: " + outputPath_, static_cast<int32_t>(error));
    return E_ABORT;
  }
  auto* stream = new COutFileStream;
  stream->AddRef();
  if (!stream->Create(outputPath_, OutFileCreation::ReplaceExisting)) {
    const DWORD error = ::GetLastError();
    stream->Release();
    LogArchiveError(job_, u"Cannot open output file: " + outputPath_, static_cast<int32_t>(error));
    return E_ABORT;
  }
  stream_ = stream;
  stream->AddRef();  // the library's
  *outStream = stream;
  return S_OK;
}

HRESULT CArchiveExtractCallback::PrepareOperation(INT32 askExtractMode) {
  extractMode_ = askExtractMode == 0;
  const char16_t* operation = askExtractMode == 0 ? u"Extracting" : askExtractMode == 1 ? u"Testing" : u"Skipping";
  SetArchiveOperation(job_, operation, currentPath_);
  return S_OK;
}

HRESULT CArchiveExtractCallback::CloseOutput() {
  if (writeTimeDefined_) ::SetFileTime(stream_->Handle(), nullptr, nullptr, &writeTime_);
  HRESULT result = S_OK;
  if (!stream_->CloseFile()) result = LastErrorResult();
  stream_->Release();
  stream_ = nullptr;
  return result;
}

HRESULT CArchiveExtractCallback::SetOperationResult(INT32 opRes) {
  if (opRes != 0) {
    ++failedItems;
    LogArchiveError(job_, OperationResultText(opRes), 0);
  }
  if (stream_) {
    if (const HRESULT closed = CloseOutput(); closed != S_OK) return closed;
  }
  // Archives made elsewhere carry other systems' bits above these.
  constexpr UINT32 kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (extractMode_ && attributesDefined_ && !isFolder_)
    ::SetFileAttributesW(platform::Wide(outputPath_), attributes_ & kKeptAttributes);
  return S_OK;
}

HRESULT CArchiveExtractCallback::CryptoGetTextPassword(BSTR* password) {
  *password = nullptr;
  if (!passwordDefined_) {
    Text entered;
    if (!AskArchivePassword(job_, entered)) return E_ABORT;
    password_ = std::move(entered);
    passwordDefined_ = true;
  }
  *password = ::SysAllocStringLen(platform::Wide(password_), static_cast<UINT>(password_.size()));
  return *password ? S_OK : E_OUTOFMEMORY;
}

}  // namespace nrv
