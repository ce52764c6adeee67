#include "archive/extract_callback_win32.h"

#include "archive/extract_selection.h"
#include "archive/file_helpers_win32.h"
#include "archive/property_variant_win32.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

// A stranger's name shown in the log: a control character would break the line it stands on.
Text LogSafe(TextView name) {
  Text shown(name);
  for (char16_t& c : shown)
    if (c < 0x20) c = u'\uFFFD';
  return shown;
}

}  // namespace

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
  // An item still open when the library has finished was cut short (a full disk, Cancel in a
  // large file): its temporary file goes, the file it would have replaced stays.
  DiscardOutput();
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

void CArchiveExtractCallback::SkipItem(TextView why, DWORD error) {
  skipped_ = true;
  LogArchiveError(job_, u"Cannot open output file: " + Text(why), static_cast<int32_t>(error));
}

HRESULT CArchiveExtractCallback::GetStream(UINT32 index, ISequentialOutStream** outStream, INT32 askExtractMode) {
  *outStream = nullptr;
  DiscardOutput();
  skipped_ = false;
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
  OutputPath output = OutputRelativePath(path, insideLength_);
  currentPath_ = std::move(output.relative);
  if (const HRESULT read = ReadItem(index); read != S_OK) return read;
  targetPath_ = destination_ + currentPath_;
  if (output.fault != NameFault::None) {
    SkipItem(LogSafe(path) + u" (" + Text(NameFaultText(output.fault)) + u")", ERROR_INVALID_NAME);
    return S_OK;
  }
  const size_t folderLength = targetPath_.find_last_of(u'\\') + 1;
  if (targetPath_.size() > kMaxOutputPath || folderLength + kTemporaryOutputNameLength > kMaxOutputPath) {
    SkipItem(targetPath_, ERROR_FILENAME_EXCED_RANGE);
    return S_OK;
  }
  if (isFolder_) {
    if (!CreateFolderChain(targetPath_)) SkipItem(targetPath_, ::GetLastError());
    return S_OK;
  }
  const Text folder = targetPath_.substr(0, folderLength);
  if (folder.size() > destination_.size()) CreateFolderChain(folder);
  auto* stream = new COutFileStream;
  stream->AddRef();
  if (!stream->CreateTemporary(folder)) {
    const DWORD error = ::GetLastError();
    stream->Release();
    SkipItem(targetPath_, error);
    return S_OK;
  }
  stream_ = stream;
  stream->AddRef();  // the library's
  *outStream = stream;
  return S_OK;
}

HRESULT CArchiveExtractCallback::PrepareOperation(INT32 askExtractMode) {
  extractMode_ = askExtractMode == 0;
  // An item left out for its name or output is still part of the extraction the user asked
  // for, whatever the library then calls it.
  const char16_t* operation =
      askExtractMode == 0 || skipped_ ? u"Extracting" : askExtractMode == 1 ? u"Testing" : u"Skipping";
  SetArchiveOperation(job_, operation, currentPath_);
  return S_OK;
}

void CArchiveExtractCallback::DiscardOutput() {
  if (!stream_) return;
  stream_->Discard();
  stream_->Release();
  stream_ = nullptr;
}

HRESULT CArchiveExtractCallback::PutOutputInPlace() {
  if (writeTimeDefined_) ::SetFileTime(stream_->Handle(), nullptr, nullptr, &writeTime_);
  if (!stream_->CloseFile()) {
    const HRESULT result = LastErrorResult();
    DiscardOutput();
    return result;
  }
  if (!stream_->MoveOver(targetPath_)) {
    const DWORD error = ::GetLastError();
    DiscardOutput();
    SkipItem(targetPath_, error);
    return S_OK;
  }
  stream_->Release();
  stream_ = nullptr;
  return S_OK;
}

HRESULT CArchiveExtractCallback::SetOperationResult(INT32 opRes) {
  if (skipped_) return S_OK;  // logged when it was left out
  if (opRes != 0) {
    ++failedItems;
    LogArchiveError(job_, OperationResultText(opRes), 0);
    DiscardOutput();
    return S_OK;
  }
  if (stream_) {
    if (const HRESULT placed = PutOutputInPlace(); placed != S_OK || skipped_) return placed;
  }
  // Archives made elsewhere carry other systems' bits above these.
  constexpr UINT32 kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (extractMode_ && attributesDefined_ && !isFolder_)
    ::SetFileAttributesW(platform::Wide(targetPath_), attributes_ & kKeptAttributes);
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
