#include "platform/registry_text.h"

#include "platform/errors.h"

namespace nrv::platform {
namespace {

// A zero right after the data makes the registry count it as a forgotten terminator, so the
// buffer handed over ends in something else.
Text Unterminated(TextView text) {
  Text guarded(text);
  guarded.push_back(u'?');
  return guarded;
}

void DropTerminator(Text& text) {
  const size_t end = text.find(u'\0');
  if (end != Text::npos) text.resize(end);
}

}  // namespace

uint32_t SetTextValue(const RegistryKey& key, TextView name, TextView text) {
  const Text guarded = Unterminated(text);
  return SetValue(key, name, kRegSz, guarded.data(), static_cast<uint32_t>(text.size() * 2));
}

uint32_t QueryTextValue(const RegistryKey& key, TextView name, size_t maxCharacters, Text& text) {
  text.clear();
  uint32_t type = 0, size = 0;
  const uint32_t result = QueryValue(key, name, &type, nullptr, &size);
  if (result != kErrorSuccess) return result;
  const size_t characters = size / 2;
  if (type != kRegSz || characters < 1 || characters > maxCharacters) return kErrorSuccess;
  Text buffer(characters, u'\0');
  uint32_t read = static_cast<uint32_t>(characters * 2);
  if (QueryValue(key, name, &type, buffer.data(), &read) == kErrorSuccess) {
    buffer.resize(read / 2);
    DropTerminator(buffer);
    text = std::move(buffer);
  }
  return kErrorSuccess;
}

uint32_t EnumTextValue(const RegistryKey& key, uint32_t index, size_t maxCharacters, Text& name,
                       Text& text) {
  text.clear();
  uint32_t type = 0, size = 0;
  const uint32_t result = EnumValue(key, index, name, &type, nullptr, &size);
  if (result != kErrorSuccess) return result;
  const size_t characters = size / 2;
  if (type != kRegSz || characters < 1 || characters > maxCharacters) return kErrorSuccess;
  Text buffer(characters, u'\0');
  uint32_t read = static_cast<uint32_t>(characters * 2);
  if (EnumValue(key, index, name, &type, buffer.data(), &read) == kErrorSuccess) {
    buffer.resize(read / 2);
    DropTerminator(buffer);
    text = std::move(buffer);
  }
  return kErrorSuccess;
}

}  // namespace nrv::platform
