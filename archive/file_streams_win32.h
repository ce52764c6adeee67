#pragma once
// The file streams the archive library reads and writes through.
#include <atomic>

#include "archive/seven_zip_interfaces_win32.h"
#include "platform/text.h"

namespace nrv {

// At most this much per Read or Write, whatever the library asks for.
inline constexpr UINT32 kMaxStreamBlock = 0x400000;

// The system error as an HRESULT; E_FAIL when there is none.
HRESULT ErrorToHResult(DWORD error);
HRESULT LastErrorResult();

// The reference count every callback and stream object carries.
struct CMyUnknownImp {
  LONG refCount = 0;
  ULONG AddReference() { return static_cast<ULONG>(::InterlockedIncrement(&refCount)); }
  // 0 tells the caller to delete itself.
  ULONG DropReference() { return static_cast<ULONG>(::InterlockedDecrement(&refCount)); }
};

class CInFileStream : public IInStream, public IStreamGetSize, public CMyUnknownImp {
 public:
  CInFileStream() = default;
  CInFileStream(const CInFileStream&) = delete;
  CInFileStream& operator=(const CInFileStream&) = delete;

  // Existing files only, shared for reading. False when no handle came.
  bool Open(const Text& path);
  void CloseFile();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processedSize) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) override;
  HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) override;
  virtual ~CInFileStream();

  // A reading worker's stop flag: once raised every read fails with E_ABORT, which ends even a
  // library step that never calls back (a tar's headers read at its opening).
  const std::atomic<bool>* stop = nullptr;

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

enum class OutFileCreation { ReplaceExisting, NewOnly };

class COutFileStream : public IOutStream, public CMyUnknownImp {
 public:
  COutFileStream() = default;
  COutFileStream(const COutFileStream&) = delete;
  COutFileStream& operator=(const COutFileStream&) = delete;

  // ReplaceExisting for a copy the program keeps for itself (a compressed tar's inner tar); NewOnly
  // for archives and volumes (fails when the file exists).
  bool Create(const Text& path, OutFileCreation creation);
  // A new file under a fresh temporary name in folder (which ends with a backslash), never one
  // that exists. False when none could be made, the system error left in place.
  bool CreateTemporary(const Text& folder);
  // False when closing failed, the system error left in place.
  bool CloseFile();
  // The closed temporary file moved over target, whose read-only attribute does not stop it.
  // False with the system error left in place; the temporary file is then still there.
  bool MoveOver(const Text& target);
  // Closes the file and deletes the temporary one: nothing of it stays.
  void Discard();
  HANDLE Handle() const { return file_; }
  UINT64 Written() const { return written_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processedSize) override;
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(UINT64 newSize) override;
  virtual ~COutFileStream();

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  UINT64 written_ = 0;
  Text temporaryPath_;  // set while a temporary file of this stream exists
};

}  // namespace nrv
