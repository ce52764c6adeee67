#include "core/file_names.h"

namespace nrv {
namespace {

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool EqualsUpper(TextView text, TextView upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (UpperAscii(text[i]) != upper[i]) return false;
  return true;
}

// Windows takes the device from the part before the first dot, blanks at its end ignored:
// "con.txt" and "NUL .log" both open the device.
bool IsDeviceName(TextView name) {
  TextView stem = name.substr(0, name.find(u'.'));
  while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
  for (TextView device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"})
    if (EqualsUpper(stem, device)) return true;
  if (stem.size() != 4) return false;
  const TextView prefix = stem.substr(0, 3);
  if (!EqualsUpper(prefix, u"COM") && !EqualsUpper(prefix, u"LPT")) return false;
  const char16_t digit = stem[3];
  // The superscript digits count as well on current Windows.
  return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

}  // namespace

NameFault CheckFileName(TextView name) {
  if (name.empty()) return NameFault::Empty;
  if (name == u"." || name == u"..") return NameFault::DotName;
  if (name.size() > kMaxFileNameLength) return NameFault::TooLong;
  for (char16_t c : name) {
    if (c < 0x20) return NameFault::ControlCharacter;
    if (c == u'\\' || c == u'/') return NameFault::Separator;
    if (c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|')
      return NameFault::ForbiddenCharacter;
  }
  if (name.back() == u'.' || name.back() == u' ') return NameFault::TrailingDotOrBlank;
  if (IsDeviceName(name)) return NameFault::DeviceName;
  return NameFault::None;
}

TextView NameFaultText(NameFault fault) {
  switch (fault) {
    case NameFault::None: return u"";
    case NameFault::Empty: return u"empty name";
    case NameFault::DotName: return u"not a file name";
    case NameFault::Separator: return u"name holds a path separator";
    case NameFault::ForbiddenCharacter: return u"name holds a character Windows forbids";
    case NameFault::ControlCharacter: return u"name holds a control character";
    case NameFault::TrailingDotOrBlank: return u"name ends in a dot or blank";
    case NameFault::DeviceName: return u"name is a device name";
    case NameFault::TooLong: return u"name is longer than 255 characters";
  }
  return u"";
}

}  // namespace nrv
