#include "viewer/status_line.h"

#include <cstdio>

namespace nrv {

int StatusPercent(const ViewerDocument& doc) {
  if (doc.fileSize <= 0) return 100;
  const int64_t end = doc.screenEnd == 0 ? doc.fileSize : doc.screenEnd;
  return static_cast<int>(end * 100 / doc.fileSize);
}

std::array<Text, 6> StatusFields(const ViewerDocument& doc) {
  char buffer[64];
  std::array<Text, 6> fields;
  std::snprintf(buffer, sizeof buffer, " %3d%%  ", StatusPercent(doc));
  fields[0] = Ascii(buffer);
  std::snprintf(buffer, sizeof buffer, " Col %-4d ", doc.column);
  fields[1] = Ascii(buffer);
  std::snprintf(buffer, sizeof buffer, " %-12lld", static_cast<long long>(doc.fileSize));
  fields[2] = Ascii(buffer);
  const char* set = doc.isUnicode                                ? "Unicode"
                    : doc.isUtf8                                 ? "UTF-8"
                    : doc.characterSet == kCharacterSetOem       ? "OEM"
                    : doc.characterSet == kCharacterSetKoi8r     ? "KOI8-R"
                                                                 : "ANSI";
  std::snprintf(buffer, sizeof buffer, " %-10s", set);
  fields[3] = Ascii(buffer);
  const ViewerMode mode = ModeOf(doc);
  fields[4] = mode == kModeHex ? u"  Hex  " : mode == kModeText ? u"  Text " : u"  Dump ";
  if (mode == kModeText) fields[5] = doc.unwrapped ? u"  Unwrap " : u"  Wrap   ";
  return fields;
}

Text StatusLine(const ViewerDocument& doc, int columns) {
  const auto fields = StatusFields(doc);
  Text right;
  for (const Text& field : fields) right.insert(0, field);
  Text name = doc.name;
  if (doc.geometry.fontCharSet == kOemFontCharSet) {
    const std::string oem = EncodeToCodePage(name, kCharacterSetOem);
    name.clear();
    for (char b : oem) name += CodePageChar(static_cast<uint8_t>(b), kCharacterSetAnsi);
  }
  const size_t width = columns > 0 ? static_cast<size_t>(columns) : 0;
  const size_t room = width > right.size() ? width - right.size() : 0;
  if (name.size() > room) name.resize(room);
  name.append(room - name.size(), u' ');
  return name + right;
}

Text ViewerCaption(const ViewerDocument& doc) { return u"View " + doc.name; }

}  // namespace nrv
