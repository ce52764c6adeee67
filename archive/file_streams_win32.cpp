#include "archive/file_streams_win32.h"

#include <atomic>

#include "archive/extract_selection.h"
#include "archive/file_helpers_win32.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

HRESULT SeekHandle(HANDLE file, INT64 offset, UINT32 origin, UINT64* newPosition) {
  if (origin > FILE_END) return STG_E_INVALIDFUNCTION;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER position{};
  if (!::SetFilePointerEx(file, distance, &position, origin)) return LastErrorResult();
  if (newPosition) *newPosition = static_cast<UINT64>(position.QuadPart);
  return S_OK;
}

// Different in every call and every process; a taken name only costs another try.
uint32_t TemporaryValue() {
  static std::atomic<uint32_t> calls{0};
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<uint32_t>(now.QuadPart) ^ (::GetCurrentProcessId() << 16) ^ (++calls * 0x9E3779B9u);
}

}  // namespace

HRESULT ErrorToHResult(DWORD error) {
  return error == 0 ? E_FAIL : static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu));
}

HRESULT LastErrorResult() { return ErrorToHResult(::GetLastError()); }

bool CInFileStream::Open(const Text& path) {
  if (file_ != INVALID_HANDLE_VALUE && !::CloseHandle(file_)) return false;
  file_ = ::CreateFileW(platform::Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

void CInFileStream::CloseFile() { CloseIfOpen(file_); }

CInFileStream::~CInFileStream() { CloseFile(); }

HRESULT CInFileStream::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IInStream)
    *object = static_cast<IInStream*>(this);
  else if (iid == IID_IStreamGetSize)
    *object = static_cast<IStreamGetSize*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG CInFileStream::AddRef() { return AddReference(); }

ULONG CInFileStream::Release() {
  const ULONG count = DropReference();
  if (count == 0) delete this;
  return count;
}

HRESULT CInFileStream::Read(void* data, UINT32 size, UINT32* processedSize) {
  if (stop && stop->load()) {
    if (processedSize) *processedSize = 0;
    return E_ABORT;
  }
  DWORD read = 0;
  const BOOL ok = ::ReadFile(file_, data, size < kMaxStreamBlock ? size : kMaxStreamBlock, &read, nullptr);
  if (processedSize) *processedSize = read;
  return ok ? S_OK : LastErrorResult();
}

HRESULT CInFileStream::Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) {
  return SeekHandle(file_, offset, seekOrigin, newPosition);
}

HRESULT CInFileStream::GetSize(UINT64* size) {
  LARGE_INTEGER value{};
  if (!::GetFileSizeEx(file_, &value)) return LastErrorResult();
  *size = static_cast<UINT64>(value.QuadPart);
  return S_OK;
}

bool COutFileStream::Create(const Text& path, OutFileCreation creation) {
  CloseFile();
  written_ = 0;
  file_ = ::CreateFileW(platform::Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        creation == OutFileCreation::ReplaceExisting ? CREATE_ALWAYS : CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

bool COutFileStream::CreateTemporary(const Text& folder) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    const Text path = folder + TemporaryOutputName(TemporaryValue());
    if (!Create(path, OutFileCreation::NewOnly)) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return false;
    }
    temporaryPath_ = path;
    return true;
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return false;
}

bool COutFileStream::MoveOver(const Text& target) {
  const wchar_t* from = platform::Wide(temporaryPath_);
  const wchar_t* to = platform::Wide(target);
  if (!::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING)) {
    // Windows will not replace a read-only file by a rename; extraction replaces it all the same.
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(to);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) || !::SetFileAttributesW(to, attributes & ~FILE_ATTRIBUTE_READONLY)) {
      ::SetLastError(error);
      return false;
    }
    if (!::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING)) {
      const DWORD again = ::GetLastError();
      ::SetFileAttributesW(to, attributes);
      ::SetLastError(again);
      return false;
    }
  }
  temporaryPath_.clear();
  return true;
}

void COutFileStream::Discard() {
  CloseFile();
  if (!temporaryPath_.empty()) DeleteFileAlways(temporaryPath_);
  temporaryPath_.clear();
}

bool COutFileStream::CloseFile() {
  if (file_ == INVALID_HANDLE_VALUE) return true;
  const BOOL closed = ::CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  return closed != FALSE;
}

COutFileStream::~COutFileStream() { Discard(); }

HRESULT COutFileStream::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IOutStream) return E_NOINTERFACE;
  *object = static_cast<IOutStream*>(this);
  AddRef();
  return S_OK;
}

ULONG COutFileStream::AddRef() { return AddReference(); }

ULONG COutFileStream::Release() {
  const ULONG count = DropReference();
  if (count == 0) delete this;
  return count;
}

HRESULT COutFileStream::Write(const void* data, UINT32 size, UINT32* processedSize) {
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file_, data, size < kMaxStreamBlock ? size : kMaxStreamBlock, &written, nullptr);
  written_ += written;
  if (processedSize) *processedSize = written;
  return ok ? S_OK : LastErrorResult();
}

HRESULT COutFileStream::Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) {
  return SeekHandle(file_, offset, seekOrigin, newPosition);
}

HRESULT COutFileStream::SetSize(UINT64 newSize) {
  UINT64 kept = 0;
  if (SeekHandle(file_, 0, FILE_CURRENT, &kept) != S_OK) return E_FAIL;
  if (SeekHandle(file_, static_cast<INT64>(newSize), FILE_BEGIN, nullptr) != S_OK) return E_FAIL;
  if (!::SetEndOfFile(file_)) return E_FAIL;
  return SeekHandle(file_, static_cast<INT64>(kept), FILE_BEGIN, nullptr) == S_OK ? S_OK : E_FAIL;
}

}  // namespace nrv
