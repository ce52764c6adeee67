// An in-memory registry with Win32 semantics for the host tests.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/errors.h"
#include "platform/portable/portable_controls.h"
#include "platform/registry.h"

namespace nrv::platform {
namespace {

struct Value {
  Text name;
  uint32_t type = 0;
  std::vector<unsigned char> data;
};

struct Key {
  std::vector<Value> values;  // enumeration order is insertion order
};

struct OpenKey {
  Text path;
  RegistryAccess access;
};

Text Fold(TextView text) {
  Text out(text);
  for (auto& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  while (!out.empty() && out.back() == u'\\') out.pop_back();
  return out;
}

std::mutex gMutex;
std::map<Text, Key> gKeys;
uint32_t gWriteFailure = 0;

Key* Find(const Text& path) {
  auto it = gKeys.find(path);
  return it == gKeys.end() ? nullptr : &it->second;
}

OpenKey* Opened(const RegistryKey& key) { return static_cast<OpenKey*>(key.Handle()); }

Value* FindValue(Key& key, TextView name) {
  const Text folded = Fold(name);
  for (auto& v : key.values)
    if (Fold(v.name) == folded) return &v;
  return nullptr;
}

uint32_t CopyOut(const std::vector<unsigned char>& data, void* out, uint32_t* size) {
  const auto needed = static_cast<uint32_t>(data.size());
  if (out == nullptr) {
    if (size) *size = needed;
    return kErrorSuccess;
  }
  if (size == nullptr) return kErrorInvalidData;
  if (*size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (needed) std::memcpy(out, data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

}  // namespace

void RegistryKey::Reset(void* handle) {
  delete static_cast<OpenKey*>(handle_);
  handle_ = handle;
}

uint32_t CreateUserKey(TextView path, RegistryAccess access, RegistryKey& key) {
  std::lock_guard lock(gMutex);
  const Text folded = Fold(path);
  if (!Find(folded)) {
    if (gWriteFailure) return gWriteFailure;
    // Parents come into being with the key, as in the real registry.
    for (size_t at = folded.find(u'\\'); at != Text::npos; at = folded.find(u'\\', at + 1))
      gKeys.try_emplace(folded.substr(0, at));
    gKeys.try_emplace(folded);
  }
  key.Reset(new OpenKey{folded, access});
  return kErrorSuccess;
}

uint32_t OpenUserKey(TextView path, RegistryAccess access, RegistryKey& key) {
  std::lock_guard lock(gMutex);
  const Text folded = Fold(path);
  if (!Find(folded)) return kErrorFileNotFound;
  key.Reset(new OpenKey{folded, access});
  return kErrorSuccess;
}

uint32_t DeleteUserKey(TextView path) {
  std::lock_guard lock(gMutex);
  const Text folded = Fold(path);
  if (!Find(folded)) return kErrorFileNotFound;
  if (gWriteFailure) return gWriteFailure;
  const Text prefix = folded + u'\\';
  for (const auto& [name, _] : gKeys)
    if (name.compare(0, prefix.size(), prefix) == 0) return kErrorAccessDenied;
  gKeys.erase(folded);
  return kErrorSuccess;
}

uint32_t QueryValue(const RegistryKey& key, TextView name, uint32_t* type, void* data,
                    uint32_t* size) {
  std::lock_guard lock(gMutex);
  OpenKey* open = Opened(key);
  Key* stored = open ? Find(open->path) : nullptr;
  if (!stored) return 6;  // ERROR_INVALID_HANDLE
  Value* value = FindValue(*stored, name);
  if (!value) return kErrorFileNotFound;
  if (type) *type = value->type;
  return CopyOut(value->data, data, size);
}

uint32_t SetValue(const RegistryKey& key, TextView name, uint32_t type, const void* data,
                  uint32_t size) {
  std::lock_guard lock(gMutex);
  OpenKey* open = Opened(key);
  Key* stored = open ? Find(open->path) : nullptr;
  if (!stored) return 6;
  if (open->access != RegistryAccess::Write) return kErrorAccessDenied;
  if (gWriteFailure) return gWriteFailure;
  Value* value = FindValue(*stored, name);
  if (!value) {
    stored->values.push_back(Value{Text(name), 0, {}});
    value = &stored->values.back();
  }
  value->type = type;
  const auto* bytes = static_cast<const unsigned char*>(data);
  value->data.assign(bytes, bytes + size);
  return kErrorSuccess;
}

uint32_t CountValues(const RegistryKey& key, uint32_t* count) {
  std::lock_guard lock(gMutex);
  OpenKey* open = Opened(key);
  Key* stored = open ? Find(open->path) : nullptr;
  if (!stored) return 6;
  *count = static_cast<uint32_t>(stored->values.size());
  return kErrorSuccess;
}

uint32_t EnumValue(const RegistryKey& key, uint32_t index, Text& name, uint32_t* type,
                   void* data, uint32_t* size) {
  std::lock_guard lock(gMutex);
  OpenKey* open = Opened(key);
  Key* stored = open ? Find(open->path) : nullptr;
  if (!stored) return 6;
  if (index >= stored->values.size()) return kErrorNoMoreItems;
  const Value& value = stored->values[index];
  name = value.name;
  if (type) *type = value.type;
  return CopyOut(value.data, data, size);
}

namespace portable {
void ResetRegistry() {
  std::lock_guard lock(gMutex);
  gKeys.clear();
  gWriteFailure = 0;
}
void SetRegistryWriteFailure(uint32_t errorCode) {
  std::lock_guard lock(gMutex);
  gWriteFailure = errorCode;
}
}  // namespace portable

}  // namespace nrv::platform
