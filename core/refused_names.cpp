#include "core/refused_names.h"

#include <string>

namespace nrv {
namespace {

constexpr size_t kShownNameLength = 100;
constexpr char16_t kControlPictures = u'\u2400';

}  // namespace

Text ShownName(TextView name) {
  Text shown;
  const bool shorten = name.size() > kShownNameLength;
  const size_t half = kShownNameLength / 2;
  for (size_t i = 0; i < name.size(); ++i) {
    if (shorten && i == half) {
      shown += u'\u2026';
      i = name.size() - half;
    }
    const char16_t c = name[i];
    shown += c < 0x20 ? static_cast<char16_t>(kControlPictures + c) : c;
  }
  return shown;
}

void NoteRefused(RefusedNames& refused, TextView name, TextView reason) {
  if (refused.count++ >= kNamedRefusals) return;
  refused.lines += ShownName(name) + u": " + Text(reason) + u"\n";
}

Text RefusedNamesText(const RefusedNames& refused) {
  Text text = refused.lines;
  if (refused.count > kNamedRefusals)
    text += u"... and " + Ascii(std::to_string(refused.count - kNamedRefusals)) + u" more\n";
  return text;
}

}  // namespace nrv
