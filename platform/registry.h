#pragma once
// The current user's registry hive. Calls return Win32 error codes (0 is success) and follow
// RegQueryValueExW's size rules: a null data pointer asks for the size only; a buffer that is
// too small gives kErrorMoreData with the needed size.
#include <cstdint>

#include "platform/text.h"

namespace nrv::platform {

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

enum class RegistryAccess { Read, Write };

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Reset(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
      Reset(other.handle_);
      other.handle_ = nullptr;
    }
    return *this;
  }

  bool IsOpen() const { return handle_ != nullptr; }
  void* Handle() const { return handle_; }
  // Closes the key held (each platform closes its own kind of handle) and takes handle.
  void Reset(void* handle = nullptr);

 private:
  void* handle_ = nullptr;
};

// Path below HKEY_CURRENT_USER, e.g. u"Software\\Norvane\\".
uint32_t CreateUserKey(TextView path, RegistryAccess access, RegistryKey& key);
uint32_t OpenUserKey(TextView path, RegistryAccess access, RegistryKey& key);
// Deletes a key that has no subkeys.
uint32_t DeleteUserKey(TextView path);

uint32_t QueryValue(const RegistryKey& key, TextView name, uint32_t* type, void* data,
                    uint32_t* size);
uint32_t SetValue(const RegistryKey& key, TextView name, uint32_t type, const void* data,
                  uint32_t size);
uint32_t CountValues(const RegistryKey& key, uint32_t* count);
// The value at index in enumeration order: its name, type and (when data is not null) data.
uint32_t EnumValue(const RegistryKey& key, uint32_t index, Text& name, uint32_t* type,
                   void* data, uint32_t* size);

}  // namespace nrv::platform
