#pragma once
// What a byte of the file looks like on screen: control pictures, the three Cyrillic code pages,
// and the detour that OEM (Terminal) fonts need.
#include <cstdint>
#include <string>

#include "platform/text.h"

namespace nrv {

// CharacterSet: used when the document is neither UTF-16 nor UTF-8.
inline constexpr int kCharacterSetOem = 0;    // CP866
inline constexpr int kCharacterSetAnsi = 1;   // CP1251
inline constexpr int kCharacterSetKoi8r = 2;
inline constexpr int kOemFontCharSet = 255;  // the font's character set from its metrics

char16_t DecodeByte(uint8_t value, int characterSet, int fontCharSet);

// A UTF-16 unit in Dump mode: ASCII goes through DecodeByte, the rest shows as itself.
char16_t DecodeUnit(char16_t unit, int characterSet, int fontCharSet);

// Text to bytes for searching: CP866 for OEM, CP1251 otherwise (also for KOI8-R); what the
// page lacks becomes "?".
std::string EncodeToCodePage(TextView text, int characterSet);

// A byte as the search pattern's code page reads it (CP866 for OEM, CP1251 otherwise).
char16_t CodePageChar(uint8_t value, int characterSet);

}  // namespace nrv
