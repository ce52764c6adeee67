#pragma once
// Text values stored the way the program always stored them: REG_SZ of exactly two bytes a
// character, no terminating zero.
#include "platform/registry.h"

namespace nrv::platform {

uint32_t SetTextValue(const RegistryKey& key, TextView name, TextView text);

// Reads a REG_SZ value of 1 to maxCharacters characters (a trailing zero is dropped); a value
// that is empty or longer reads as empty. Returns the registry error of the size query.
uint32_t QueryTextValue(const RegistryKey& key, TextView name, size_t maxCharacters, Text& text);

// The same for the value at an enumeration index, with its name.
uint32_t EnumTextValue(const RegistryKey& key, uint32_t index, size_t maxCharacters, Text& name,
                       Text& text);

}  // namespace nrv::platform
