#pragma once
// The archive library's interfaces in its vtable order, and the identifiers the program uses.
// No header of the library exists; these follow its published layout.
#include <windows.h>
#include <objidl.h>
#include <oleauto.h>
#include <propidl.h>

#include <cstdint>

namespace nrv {

// {23170F69-40C1-278A-0000-000gg0ii0000}
constexpr GUID SevenZipInterface(uint8_t group, uint8_t id) {
  return GUID{0x23170F69, 0x40C1, 0x278A, {0x00, 0x00, 0x00, group, 0x00, id, 0x00, 0x00}};
}
// {23170F69-40C1-278A-1000-000110xx0000}
constexpr GUID SevenZipFormat(uint8_t xx) {
  return GUID{0x23170F69, 0x40C1, 0x278A, {0x10, 0x00, 0x00, 0x01, 0x10, xx, 0x00, 0x00}};
}

inline constexpr GUID IID_ISequentialInStream = SevenZipInterface(0x03, 0x01);
inline constexpr GUID IID_ISequentialOutStream = SevenZipInterface(0x03, 0x02);
inline constexpr GUID IID_IInStream = SevenZipInterface(0x03, 0x03);
inline constexpr GUID IID_IOutStream = SevenZipInterface(0x03, 0x04);
inline constexpr GUID IID_IStreamGetSize = SevenZipInterface(0x03, 0x06);
inline constexpr GUID IID_IProgress = SevenZipInterface(0x00, 0x05);
inline constexpr GUID IID_IArchiveOpenCallback = SevenZipInterface(0x06, 0x10);
inline constexpr GUID IID_IArchiveExtractCallback = SevenZipInterface(0x06, 0x20);
inline constexpr GUID IID_IInArchive = SevenZipInterface(0x06, 0x60);
inline constexpr GUID IID_IArchiveUpdateCallback = SevenZipInterface(0x06, 0x80);
inline constexpr GUID IID_IArchiveUpdateCallback2 = SevenZipInterface(0x06, 0x82);
inline constexpr GUID IID_IOutArchive = SevenZipInterface(0x06, 0xA0);
inline constexpr GUID IID_ICryptoGetTextPassword = SevenZipInterface(0x05, 0x10);
inline constexpr GUID IID_ICryptoGetTextPassword2 = SevenZipInterface(0x05, 0x11);

enum : PROPID { kpidPath = 3, kpidIsDir = 6, kpidSize = 7, kpidAttrib = 9, kpidMTime = 12 };

using CreateObjectFunction = HRESULT(WINAPI*)(const GUID* classId, const GUID* interfaceId, void** object);

struct ISequentialInStream : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processedSize) = 0;
};

struct ISequentialOutStream : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processedSize) = 0;
};

struct IInStream : public ISequentialInStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) = 0;
};

struct IOutStream : public ISequentialOutStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 seekOrigin, UINT64* newPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSize(UINT64 newSize) = 0;
};

struct IStreamGetSize : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) = 0;
};

struct IProgress : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completeValue) = 0;
};

struct IArchiveOpenCallback : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) = 0;
};

struct IArchiveExtractCallback : public IProgress {
  virtual HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** outStream,
                                              INT32 askExtractMode) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrepareOperation(INT32 askExtractMode) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 opRes) = 0;
};

struct IInArchive : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Open(IInStream* stream, const UINT64* maxCheckStartPosition,
                                         IArchiveOpenCallback* openCallback) = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfItems(UINT32* numItems) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID propID, PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Extract(const UINT32* indices, UINT32 numItems, INT32 testMode,
                                            IArchiveExtractCallback* callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArchiveProperty(PROPID propID, PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfProperties(UINT32* numProperties) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyInfo(UINT32 index, BSTR* name, PROPID* propID, VARTYPE* varType) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNumberOfArchiveProperties(UINT32* numProperties) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetArchivePropertyInfo(UINT32 index, BSTR* name, PROPID* propID,
                                                           VARTYPE* varType) = 0;
};

struct IArchiveUpdateCallback : public IProgress {
  virtual HRESULT STDMETHODCALLTYPE GetUpdateItemInfo(UINT32 index, INT32* newData, INT32* newProps,
                                                      UINT32* indexInArchive) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(UINT32 index, PROPID propID, PROPVARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialInStream** inStream) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 operationResult) = 0;
};

struct IArchiveUpdateCallback2 : public IArchiveUpdateCallback {
  virtual HRESULT STDMETHODCALLTYPE GetVolumeSize(UINT32 index, UINT64* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVolumeStream(UINT32 index, ISequentialOutStream** volumeStream) = 0;
};

struct IOutArchive : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE UpdateItems(ISequentialOutStream* outStream, UINT32 numItems,
                                                IArchiveUpdateCallback* callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFileTimeType(UINT32* type) = 0;
};

struct ICryptoGetTextPassword : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) = 0;
};

struct ICryptoGetTextPassword2 : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CryptoGetTextPassword2(INT32* passwordIsDefined, BSTR* password) = 0;
};

// Holds one reference of a library or callback object and releases it.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* object) : object_(object) {}  // takes over a reference
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  void Reset() {
    if (object_) object_->Release();
    object_ = nullptr;
  }
  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  T** Out() {
    Reset();
    return &object_;
  }

 private:
  T* object_ = nullptr;
};

}  // namespace nrv
