#include "archive/archive_open_win32.h"

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_navigation.h"
#include "archive/archive_read_win32.h"
#include "archive/file_helpers_win32.h"
#include "archive/property_variant_win32.h"
#include "core/listing.h"
#include "core/paths.h"
#include "panel/navigation.h"
#include "panel/panel_reader.h"
#include "platform/error_report.h"
#include "platform/message_box.h"
#include "platform/private_folder.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// Extracts the one item of a gzip or bzip2 file to a path of the caller's choice.
class CDecompressCallback : public IArchiveExtractCallback, public CMyUnknownImp {
 public:
  CDecompressCallback(Text target, const ArchiveReadControl& control) : target_(std::move(target)), control_(control) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IArchiveExtractCallback && iid != IID_IProgress) return E_NOINTERFACE;
    *object = static_cast<IArchiveExtractCallback*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG count = DropReference();
    if (count == 0) delete this;
    return count;
  }
  HRESULT STDMETHODCALLTYPE SetTotal(UINT64) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64*) override {
    return ArchiveReadStopped(control_) ? E_ABORT : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetStream(UINT32, ISequentialOutStream** outStream, INT32 askExtractMode) override {
    *outStream = nullptr;
    if (askExtractMode != 0) return S_OK;
    auto* stream = new COutFileStream;
    stream->AddRef();
    if (!stream->Create(target_, OutFileCreation::ReplaceExisting)) {
      const HRESULT error = LastErrorResult();
      stream->Release();
      return error;
    }
    created = true;
    *outStream = stream;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PrepareOperation(INT32) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 result) override {
    operationResult = result;
    return S_OK;
  }
  virtual ~CDecompressCallback() = default;

  bool created = false;
  INT32 operationResult = 0;

 private:
  Text target_;
  const ArchiveReadControl& control_;
};

int OpenInArchiveQuietly(IInArchive* archive, const Text& path, const PasswordAsk& askPassword,
                         const ArchiveReadControl& control) {
  auto* stream = new CInFileStream;
  ComPtr<IInStream> streamRef(stream);
  stream->AddRef();
  if (!stream->Open(path)) return kArchiveFileError;
  if (control.stop) stream->stop = &control.stop->requested;
  auto* callback = new CArchiveOpenCallback(askPassword, &control);
  ComPtr<IArchiveOpenCallback> callbackRef(callback);
  callback->AddRef();
  if (archive->Open(stream, nullptr, callback) != S_OK)
    return ArchiveReadStopped(control) ? kArchiveStopped : kArchiveContentError;
  return kArchiveOpened;
}

// The message of a failed read of the items, as the panel has always shown it.
Text ReadFailureText(int code, const Text& path, int32_t format) {
  switch (code) {
    case kArchiveNoObject: return ReadClassByte(format) < 0 ? u"Unknown archive format" : u"Cannot get CreateObject";
    case kArchiveFileError: return FormatMessageText(u"Cannot open archive file: %s", path);
    case kArchiveContentError: return FormatMessageText(u"Error reading archive content: %s", path);
    default: return {};
  }
}

Text LastName(const Text& path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == Text::npos ? path : path.substr(slash + 1);
}

// The inner name a gzip or bzip2 file gives its content, or the outer name without its last
// extension when it gives none.
Text InnerName(IInArchive* archive, const Text& path) {
  PropVariantHolder value;
  Text name;
  if (archive->GetProperty(0, kpidPath, value.Out()) == S_OK) PropertyToText(value.value, name);
  name = LastName(name);
  if (name.empty()) {
    name = LastName(path);
    if (const size_t dot = name.find_last_of(u'.'); dot != Text::npos && dot > 0) name.resize(dot);
  }
  return name;
}

int Decompress(const Text& path, int32_t format, const Text& tempFolder, const ArchiveReadControl& control,
               Text& innerPath, Text& errorText) {
  ComPtr<IInArchive> archive;
  if (CreateArchiveObjectQuietly(format, IID_IInArchive, reinterpret_cast<void**>(archive.Out())) != S_OK) {
    errorText = ReadFailureText(kArchiveNoObject, path, format);
    return kArchiveNoObject;
  }
  const int opened = OpenInArchiveQuietly(archive.Get(), path, nullptr, control);
  if (opened == kArchiveFileError) errorText = FormatMessageText(u"Cannot open archive file: %s", path);
  if (opened == kArchiveContentError) errorText = FormatMessageText(u"Cannot open archive: %s", path);
  if (opened != kArchiveOpened) return opened == kArchiveContentError ? kArchiveOuterError : opened;
  UINT32 count = 0;
  if (archive->GetNumberOfItems(&count) != S_OK || count == 0) return kArchiveNoInnerFile;
  if (tempFolder.empty() || !CreateFolderChain(tempFolder)) {
    errorText = FormatMessageText(u"Cannot create temporary folder: %s", tempFolder);
    return kArchiveExtractError;
  }
  const Text target = tempFolder + InnerName(archive.Get(), path);
  auto* callback = new CDecompressCallback(target, control);
  ComPtr<IArchiveExtractCallback> callbackRef(callback);
  callback->AddRef();
  const UINT32 first = 0;
  const HRESULT extracted = archive->Extract(&first, 1, 0, callback);
  if (extracted != S_OK || !callback->created) {
    // Part of an inner file is no archive at all: it goes with its folder.
    platform::RemovePrivateCopy(target);
    if (extracted == S_OK) return kArchiveNoInnerFile;
    if (ArchiveReadStopped(control)) return kArchiveStopped;
    errorText = FormatMessageText(u"Error extracting: %s", path);
    return kArchiveExtractError;
  }
  innerPath = target;
  return kArchiveOpened;
}

UINT64 FileTimeValue(const PROPVARIANT& value) {
  if (value.vt != VT_FILETIME) return 0;
  return (UINT64{value.filetime.dwHighDateTime} << 32) | value.filetime.dwLowDateTime;
}

// Every item's properties, looking at the stop flag every thousand items.
int ReadItems(const Text& path, int32_t format, const PasswordAsk& askPassword, const ArchiveReadControl& control,
              ArchiveItemList& items) {
  ComPtr<IInArchive> archive;
  if (CreateArchiveObjectQuietly(format, IID_IInArchive, reinterpret_cast<void**>(archive.Out())) != S_OK)
    return kArchiveNoObject;
  const int opened = OpenInArchiveQuietly(archive.Get(), path, askPassword, control);
  if (opened != kArchiveOpened) return opened;
  UINT32 count = 0;
  if (archive->GetNumberOfItems(&count) != S_OK) count = 0;
  ReserveArchiveItems(items, count, 32);
  PropVariantHolder size, attributes, isFolder, time, itemPath;
  Text name;
  for (UINT32 index = 0; index < count; ++index) {
    if (index % 1024 == 0) {
      if (ArchiveReadStopped(control)) return kArchiveStopped;
      if (control.count) control.count->store(static_cast<int32_t>(index), std::memory_order_relaxed);
    }
    archive->GetProperty(index, kpidSize, size.Out());
    archive->GetProperty(index, kpidAttrib, attributes.Out());
    archive->GetProperty(index, kpidIsDir, isFolder.Out());
    archive->GetProperty(index, kpidMTime, time.Out());
    archive->GetProperty(index, kpidPath, itemPath.Out());
    ArchiveItemProperties properties;
    // Paths come as strings: used in place, without a copy per item.
    if (itemPath.value.vt == VT_BSTR && itemPath.value.bstrVal)
      properties.path = TextView(reinterpret_cast<const char16_t*>(itemPath.value.bstrVal),
                                 ::SysStringLen(itemPath.value.bstrVal));
    else if (PropertyToText(itemPath.value, name) == 0)
      properties.path = name;
    properties.size = size.value.vt == VT_UI8 ? size.value.uhVal.QuadPart : 0;
    properties.attributes = attributes.value.vt == VT_UI4 ? attributes.value.ulVal : 0;
    properties.isFolder = isFolder.value.vt == VT_BOOL && isFolder.value.boolVal != VARIANT_FALSE;
    properties.writeTime = FileTimeValue(time.value);
    AppendArchiveItem(items, properties);
  }
  if (control.count) control.count->store(static_cast<int32_t>(count), std::memory_order_relaxed);
  // The stream goes with the archive object; Close is not needed before Release.
  return kArchiveOpened;
}

}  // namespace

HRESULT CArchiveOpenCallback::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_ICryptoGetTextPassword) return E_NOINTERFACE;
  *object = static_cast<ICryptoGetTextPassword*>(this);
  AddRef();
  return S_OK;
}

ULONG CArchiveOpenCallback::AddRef() { return AddReference(); }

ULONG CArchiveOpenCallback::Release() {
  const ULONG count = DropReference();
  if (count == 0) delete this;
  return count;
}

HRESULT CArchiveOpenCallback::SetTotal(const UINT64*, const UINT64*) { return S_OK; }
HRESULT CArchiveOpenCallback::SetCompleted(const UINT64*, const UINT64*) {
  return control_ && ArchiveReadStopped(*control_) ? E_ABORT : S_OK;
}

HRESULT CArchiveOpenCallback::CryptoGetTextPassword(BSTR* answer) {
  *answer = nullptr;
  if (!passwordIsDefined) {
    Text entered;
    if (!askPassword_ || !askPassword_(entered)) return E_ABORT;
    password = std::move(entered);
    passwordIsDefined = true;
  }
  *answer = ::SysAllocStringLen(platform::Wide(password), static_cast<UINT>(password.size()));
  return *answer ? S_OK : E_OUTOFMEMORY;
}

bool ArchiveReadStopped(const ArchiveReadControl& control) {
  if (control.checkpoint) control.checkpoint();
  return control.stop && control.stop->requested.load();
}

int ReadArchiveItems(const Text& path, int32_t format, PasswordQuestion askPassword, ArchiveItemList& items) {
  const int read = ReadArchiveItemsQuietly(path, format, askPassword, items);
  if (const Text text = ReadFailureText(read, path, format); !text.empty()) ShowArchiveError(text);
  return read;
}

int ReadArchiveItemsQuietly(const Text& path, int32_t format, PasswordQuestion askPassword, ArchiveItemList& items) {
  return ReadItems(path, format, askPassword, ArchiveReadControl{}, items);
}

int OpenArchiveQuietly(const Text& path, int32_t format, const Text& tempFolder, const PasswordAsk& askPassword,
                       const ArchiveReadControl& control, ArchiveOpenResult& result) {
  result.format = format;
  result.workPath.clear();
  result.errorText.clear();
  Text readPath = path;
  if (format == kFormatTarGz || format == kFormatBZip2) {
    if (const int code = Decompress(path, format, tempFolder, control, result.workPath, result.errorText);
        code != kArchiveOpened)
      return code;
    readPath = result.workPath;
    result.format = kFormatTar;
  }
  const int read = ReadItems(readPath, result.format, askPassword, control, result.items);
  if (read == kArchiveOpened) return read;
  result.errorText = ReadFailureText(read, readPath, result.format);
  FreeArchiveItems(result.items);
  platform::RemovePrivateCopy(result.workPath);
  result.workPath.clear();
  return read;
}

int OpenArchiveForPanel(const Text& path, int32_t format, const Text& tempFolder, PasswordQuestion askPassword,
                        ArchiveOpenResult& result) {
  const int code = OpenArchiveQuietly(path, format, tempFolder, askPassword, ArchiveReadControl{}, result);
  if (!result.errorText.empty()) ShowArchiveError(result.errorText);
  return code;
}

Text ArchiveTempFolder() { return platform::NewPrivateSubfolder(); }

int EnterArchive(Panel& panel, ItemList& visible, PasswordQuestion askPassword) {
  ArchiveItemList* list = ArchiveItemsOf(panel);
  ArchiveOpenResult result;
  const int code = list ? OpenArchiveForPanel(JoinPath(panel.path, panel.findName), panel.archiveFormat,
                                              ArchiveTempFolder(), askPassword, result)
                        : kArchiveNoObject;
  if (code != kArchiveOpened) {
    platform::RemovePrivateCopy(result.workPath);
    ForgetArchive(panel);
    return code;
  }
  ClearItems(visible, panel);  // the folder's watcher stops with its listing
  *list = std::move(result.items);
  panel.archiveFormat = result.format;
  panel.archiveWorkPath = result.workPath;
  if (RebuildArchiveList(panel, visible) != 0) {
    FreeArchiveItems(*list);
    ForgetArchive(panel);
    return -1;
  }
  panel.returnTop = panel.top;  // the folder's page, for leaving
  ResetArchiveView(panel);
  ComputeTotals(visible, panel);
  return 0;
}

int OpenArchiveItem(Panel& panel, ItemList& list, int index, PasswordQuestion askPassword, UdfQuestion askUdf,
                    const ArchiveEntry& at) {
  if (index < 0 || index >= Count(list)) return kNotAnArchive;
  const PanelItem& item = At(list, index);
  const ArchiveTest test = TestArchiveFile(item, askUdf);
  if (!test.errorText.empty()) ReportError(test.errorText);
  if (!EntersArchive(test.format)) return kNotAnArchive;
  if (test.format == kFormatLzh || test.format == kFormatCab)
    platform::ShowMessage({nullptr, test.format == kFormatLzh ? u"LHA archive" : u"CAB archive", u"Information",
                           platform::MessageIcon::Information});
  if (ReadsInBackground(panel)) {
    EnterArchiveOnWorker(panel, Text(ItemName(item)), test.format, askPassword, at);
    return 0;
  }
  panel.archiveOpen = 1;
  panel.archiveFormat = test.format;
  panel.findName = Text(ItemName(item));
  panel.archiveFolder.clear();
  return EnterArchive(panel, list, askPassword) == 0 ? 0 : -1;
}

}  // namespace nrv
