#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/wide.h"

namespace nrv::platform {
namespace {

HKEY Native(const RegistryKey& key) { return static_cast<HKEY>(key.Handle()); }
REGSAM Sam(RegistryAccess access) {
  return access == RegistryAccess::Read ? KEY_READ : (KEY_READ | KEY_WRITE);
}

}  // namespace

void RegistryKey::Reset(void* handle) {
  if (handle_) ::RegCloseKey(static_cast<HKEY>(handle_));
  handle_ = handle;
}

uint32_t CreateUserKey(TextView path, RegistryAccess access, RegistryKey& key) {
  HKEY handle = nullptr;
  const Text name(path);
  const LONG result = ::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(name), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, Sam(access), nullptr, &handle,
                                        nullptr);
  if (result == ERROR_SUCCESS) key.Reset(handle);
  return static_cast<uint32_t>(result);
}

uint32_t OpenUserKey(TextView path, RegistryAccess access, RegistryKey& key) {
  HKEY handle = nullptr;
  const Text name(path);
  const LONG result = ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(name), 0, Sam(access), &handle);
  if (result == ERROR_SUCCESS) key.Reset(handle);
  return static_cast<uint32_t>(result);
}

uint32_t DeleteUserKey(TextView path) {
  const Text name(path);
  return static_cast<uint32_t>(::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(name)));
}

uint32_t QueryValue(const RegistryKey& key, TextView name, uint32_t* type, void* data,
                    uint32_t* size) {
  const Text valueName(name);
  DWORD nativeType = 0;
  DWORD nativeSize = size ? *size : 0;
  const LONG result = ::RegQueryValueExW(Native(key), Wide(valueName), nullptr, &nativeType,
                                         static_cast<BYTE*>(data), size ? &nativeSize : nullptr);
  if (type) *type = nativeType;
  if (size) *size = nativeSize;
  return static_cast<uint32_t>(result);
}

uint32_t SetValue(const RegistryKey& key, TextView name, uint32_t type, const void* data,
                  uint32_t size) {
  const Text valueName(name);
  return static_cast<uint32_t>(::RegSetValueExW(Native(key), Wide(valueName), 0, type,
                                                static_cast<const BYTE*>(data), size));
}

uint32_t CountValues(const RegistryKey& key, uint32_t* count) {
  DWORD values = 0;
  const LONG result = ::RegQueryInfoKeyW(Native(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  *count = values;
  return static_cast<uint32_t>(result);
}

uint32_t EnumValue(const RegistryKey& key, uint32_t index, Text& name, uint32_t* type,
                   void* data, uint32_t* size) {
  wchar_t buffer[16384];
  DWORD nameLength = 16384;
  DWORD nativeType = 0;
  DWORD nativeSize = size ? *size : 0;
  const LONG result =
      ::RegEnumValueW(Native(key), index, buffer, &nameLength, nullptr, &nativeType,
                      static_cast<BYTE*>(data), size ? &nativeSize : nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) name = FromWide(buffer, nameLength);
  if (type) *type = nativeType;
  if (size) *size = nativeSize;
  return static_cast<uint32_t>(result);
}

}  // namespace nrv::platform
