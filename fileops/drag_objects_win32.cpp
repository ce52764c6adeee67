#include "fileops/drag_objects_win32.h"

#include <cstring>
#include <new>
#include <utility>

#include "fileops/drop_list.h"

namespace nrv {
namespace {

// The IUnknown part every object here shares: interlocked count, deleted at zero.
template <typename Interface>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(wanted, IID_IUnknown) || IsEqualIID(wanted, __uuidof(Interface))) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 private:
  LONG refs_ = 1;
};

bool SameFormat(const FORMATETC& wanted, const FORMATETC& offered) {
  return (wanted.tymed & offered.tymed) != 0 && wanted.cfFormat == offered.cfFormat &&
         wanted.dwAspect == offered.dwAspect;
}

// A copy of format whose target device lives in task memory of its own.
bool CopyFormat(const FORMATETC& format, FORMATETC& copy) {
  copy = format;
  if (!format.ptd) return true;
  copy.ptd = static_cast<DVTARGETDEVICE*>(::CoTaskMemAlloc(format.ptd->tdSize));
  if (!copy.ptd) return false;
  std::memcpy(copy.ptd, format.ptd, format.ptd->tdSize);
  return true;
}

class CDropSource final : public ComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if ((keys & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class CEnumFormatEtc final : public ComObject<IEnumFORMATETC> {
 public:
  ~CEnumFormatEtc() {
    for (FORMATETC& format : formats_) ::CoTaskMemFree(format.ptd);
  }
  // False when a target device could not be copied.
  bool Take(const std::vector<FORMATETC>& formats, size_t index) {
    formats_.reserve(formats.size());
    for (const FORMATETC& format : formats) {
      FORMATETC copy{};
      if (!CopyFormat(format, copy)) return false;
      formats_.push_back(copy);
    }
    index_ = index;
    return true;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, FORMATETC* formats, ULONG* fetched) override {
    if (wanted == 0 || !formats) return E_INVALIDARG;
    ULONG copied = 0;
    while (copied < wanted && index_ < formats_.size()) {
      if (!CopyFormat(formats_[index_], formats[copied])) break;
      ++copied;
      ++index_;
    }
    if (fetched) *fetched = copied;
    return copied == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    index_ += count;
    return index_ > formats_.size() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    index_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    auto* clone = new (std::nothrow) CEnumFormatEtc;
    if (!clone) return E_OUTOFMEMORY;
    if (!clone->Take(formats_, index_)) {
      clone->Release();
      return E_OUTOFMEMORY;
    }
    *out = clone;
    return S_OK;
  }

 private:
  size_t index_ = 0;
  std::vector<FORMATETC> formats_;
};

class CDataObject final : public ComObject<IDataObject> {
 public:
  CDataObject(std::vector<FORMATETC> formats, std::vector<STGMEDIUM> media)
      : formats_(std::move(formats)), media_(std::move(media)) {}
  ~CDataObject() {
    for (STGMEDIUM& medium : media_) ::ReleaseStgMedium(&medium);
  }


  // The receiver owns what it gets: a fresh copy of the offered block.
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    if (!wanted || !medium) return E_INVALIDARG;
    const int index = Find(*wanted);
    if (index < 0) return DV_E_FORMATETC;
    const STGMEDIUM& offered = media_[static_cast<size_t>(index)];
    if (offered.tymed != TYMED_HGLOBAL) return DV_E_TYMED;
    const SIZE_T size = ::GlobalSize(offered.hGlobal);
    const void* bytes = ::GlobalLock(offered.hGlobal);
    if (!bytes) return E_OUTOFMEMORY;
    HGLOBAL copy = GlobalCopy(bytes, size);
    ::GlobalUnlock(offered.hGlobal);
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
    return wanted && Find(*wanted) >= 0 ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return CreateEnumFormatEtc(formats_, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  int Find(const FORMATETC& wanted) const {
    for (size_t i = 0; i < formats_.size(); ++i)
      if (SameFormat(wanted, formats_[i])) return static_cast<int>(i);
    return -1;
  }

  std::vector<FORMATETC> formats_;
  std::vector<STGMEDIUM> media_;
};

class CDropTarget final : public ComObject<IDropTarget> {
 public:
  CDropTarget(int side, DropTargetCalls calls) : side_(side), calls_(calls) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = DropListFormat();
    accepting_ = data && data->QueryGetData(&format) == S_OK && calls_.accepts && calls_.accepts(side_);
    return Effect(effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Effect(effect); }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepting_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    const bool accepting = std::exchange(accepting_, false);
    if (!effect) return E_INVALIDARG;
    FORMATETC format = DropListFormat();
    STGMEDIUM medium{};
    if (!accepting || !data || data->GetData(&format, &medium) != S_OK) {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    // A copy of our own, whoever owns the medium.
    HGLOBAL list = nullptr;
    if (medium.tymed == TYMED_HGLOBAL) {
      if (const void* bytes = ::GlobalLock(medium.hGlobal)) {
        list = GlobalCopy(bytes, ::GlobalSize(medium.hGlobal));
        ::GlobalUnlock(medium.hGlobal);
      }
    }
    ::ReleaseStgMedium(&medium);
    *effect = list ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    if (list) calls_.dropped(side_, list);
    return S_OK;
  }

 private:
  HRESULT Effect(DWORD* effect) const {
    if (!effect) return E_INVALIDARG;
    *effect = accepting_ && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }

  int side_;
  DropTargetCalls calls_;
  bool accepting_ = false;
};

}  // namespace

HGLOBAL GlobalCopy(const void* bytes, size_t size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* target = ::GlobalLock(block);
  if (!target) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  ::GlobalUnlock(block);
  return block;
}

FORMATETC DropListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

HRESULT CreateDropSource(IDropSource** out) {
  if (!out) return E_INVALIDARG;
  *out = new (std::nothrow) CDropSource;
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT CreateDataObject(const std::vector<FORMATETC>& formats, const std::vector<STGMEDIUM>& media,
                         IDataObject** out) {
  CDataObject* object = new (std::nothrow) CDataObject(formats, media);
  if (!object) {
    for (STGMEDIUM medium : media) ::ReleaseStgMedium(&medium);
    if (out) *out = nullptr;
    return E_OUTOFMEMORY;
  }
  if (!out) {
    object->Release();
    return E_INVALIDARG;
  }
  *out = object;
  return S_OK;
}

ComRef<IDataObject> DropListObject(const std::vector<Text>& paths) {
  const std::vector<uint8_t> list = BuildDropList(paths);
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalCopy(list.data(), list.size());
  IDataObject* data = nullptr;
  if (!medium.hGlobal || CreateDataObject({DropListFormat()}, {medium}, &data) != S_OK) return {};
  return ComRef<IDataObject>(data);
}

HRESULT CreateEnumFormatEtc(const std::vector<FORMATETC>& formats, IEnumFORMATETC** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  auto* enumerator = new (std::nothrow) CEnumFormatEtc;
  if (!enumerator) return E_OUTOFMEMORY;
  if (!enumerator->Take(formats, 0)) {
    enumerator->Release();
    return E_OUTOFMEMORY;
  }
  *out = enumerator;
  return S_OK;
}

HRESULT CreateDropTarget(int side, DropTargetCalls calls, IDropTarget** out) {
  if (!out) return E_INVALIDARG;
  *out = new (std::nothrow) CDropTarget(side, calls);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace nrv
