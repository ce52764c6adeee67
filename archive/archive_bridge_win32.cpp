#include "archive/archive_bridge_win32.h"

#include "archive/archive_format.h"
#include "platform/message_box.h"

namespace nrv {
namespace {

HMODULE theLibrary = nullptr;

}  // namespace

void SetArchiveLibrary(HMODULE module) { theLibrary = module; }

HMODULE ArchiveLibrary() { return theLibrary; }

void ShowArchiveError(const Text& text) {
  platform::ShowMessage({nullptr, text, u"Norvane 1.0.0", platform::MessageIcon::Error});
}

Text FormatMessageText(TextView text, TextView value) {
  Text result(text);
  if (const size_t at = result.find(u"%s"); at != Text::npos) result.replace(at, 2, value);
  return result;
}

namespace {

HRESULT CreateObjectOfClass(int classByte, const GUID& interfaceId, void** object) {
  *object = nullptr;
  // Looked up for each object: the module is the only thing kept.
  const auto create = theLibrary ? reinterpret_cast<CreateObjectFunction>(
                                       reinterpret_cast<void*>(::GetProcAddress(theLibrary, "CreateObject")))
                                 : nullptr;
  const GUID classId = SevenZipFormat(static_cast<uint8_t>(classByte));
  if (!create || create(&classId, &interfaceId, object) != S_OK || !*object) {
    *object = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace

int CreateArchiveObjectOfClass(int classByte, const GUID& interfaceId, void** object) {
  *object = nullptr;
  if (classByte < 0) {
    ShowArchiveError(u"Unknown archive format");
    return -1;
  }
  if (CreateObjectOfClass(classByte, interfaceId, object) != S_OK) {
    ShowArchiveError(u"Cannot get CreateObject");
    return -1;
  }
  return 0;
}

HRESULT CreateArchiveObjectQuietly(int32_t format, const GUID& interfaceId, void** object) {
  *object = nullptr;
  const int classByte = ReadClassByte(format);
  return classByte < 0 ? E_FAIL : CreateObjectOfClass(classByte, interfaceId, object);
}

int CreateArchiveObject(int32_t format, const GUID& interfaceId, void** object) {
  return CreateArchiveObjectOfClass(ReadClassByte(format), interfaceId, object);
}

}  // namespace nrv
