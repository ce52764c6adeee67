#include "core/formatting.h"

#include "core/listing.h"

#include <cstdio>

#include "core/settings.h"
#include "platform/files.h"
#include "platform/system.h"

namespace nrv {
namespace {

// The short texts are ASCII: made with snprintf in char buffers on the stack, then widened.
using Ascii32 = char[32];

template <size_t N>
void Append(FixedText<N>& out, const char* ascii) {
  for (; *ascii && out.length + 1 < N; ++ascii)
    out.chars[out.length++] = static_cast<char16_t>(*ascii);
  out.chars[out.length] = 0;
}

template <size_t N>
FixedText<N> FromAscii(const char* ascii) {
  FixedText<N> out;
  Append(out, ascii);
  return out;
}

// floor(value / 2^shift + 0.5) for a positive value, exact and without overflow at the top
// of the range.
long long RoundedUnits(int64_t value, int shift) {
  const auto bits = static_cast<uint64_t>(value);
  return static_cast<long long>((bits >> shift) + ((bits >> (shift - 1)) & 1));
}

void FormatInfo(const PanelItem& item, Ascii32& out) {
  if (item.attributes & platform::kAttributeReparsePoint) {
    std::snprintf(out, sizeof out, " %7s", "Junc.");
  } else if (IsFolder(item) && item.size < 0) {  // a measured folder shows its size
    std::snprintf(out, sizeof out, " %7s", IsUpEntry(item) ? "Up" : "Folder");
  } else if (item.size > 9999999) {
    std::snprintf(out, sizeof out, " %5lld M", RoundedUnits(item.size, 20));
  } else if (item.size > 999999) {
    std::snprintf(out, sizeof out, " %5lld K", RoundedUnits(item.size, 10));
  } else {
    std::snprintf(out, sizeof out, " %7lld", static_cast<long long>(item.size));
  }
}

void FormatDate(uint64_t fileTime, Ascii32& out) {
  out[0] = 0;
  platform::CalendarTime local;
  if (!platform::FileTimeToLocal(fileTime, local)) return;
  char year[3] = {};
  if (local.year >= 1000 && local.year <= 9999) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%d", local.year);
    year[0] = digits[2];
    year[1] = digits[3];
  }
  std::snprintf(out, sizeof out, "%02d.%02d.%s %02d:%02d", local.day, local.month, year, local.hour,
                local.minute);
}

void FormatShortSize(int64_t value, Ascii32& out) {
  if (value > 999999999)
    std::snprintf(out, sizeof out, "%lld G", RoundedUnits(value, 30));
  else if (value > 9999999)
    std::snprintf(out, sizeof out, "%lld M", RoundedUnits(value, 20));
  else if (value > 999999)
    std::snprintf(out, sizeof out, "%lld K", RoundedUnits(value, 10));
  else
    std::snprintf(out, sizeof out, "%lld", static_cast<long long>(value));
}

void FormatGroupedSize(int64_t value, Ascii32& out) {
  Ascii32 digits;
  const int length = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
  int o = 0;
  for (int i = 0; i < length; ++i) {
    out[o++] = digits[i];
    const int after = length - i - 1;
    if (digits[i] != '-' && after > 0 && after % 3 == 0) out[o++] = ' ';
  }
  out[o] = 0;
}

void FormatRightText(const PanelItem& item, char* out, size_t size) {
  Ascii32 info;
  Ascii32 date;
  FormatInfo(item, info);
  FormatDate(item.writeTime, date);
  std::snprintf(out, size, " %s  [%s] ", info, date);
}

template <typename Value>
ShortText Formatted(void (*format)(Value, Ascii32&), Value value) {
  Ascii32 text;
  format(value, text);
  return FromAscii<32>(text);
}

}  // namespace

ShortText InfoText(const PanelItem& item) { return Formatted<const PanelItem&>(FormatInfo, item); }
ShortText DateText(uint64_t fileTime) { return Formatted(FormatDate, fileTime); }
ShortText ShortSize(int64_t value) { return Formatted(FormatShortSize, value); }
ShortText GroupedSize(int64_t value) { return Formatted(FormatGroupedSize, value); }

FixedText<8> AttributeLetters(uint32_t attributes) {
  // The order of the letters on screen, from the table "DRHASC" whose last letter is unused.
  static constexpr char kLetters[] = "DRHASC";
  static constexpr uint32_t kBits[] = {platform::kAttributeDirectory, platform::kAttributeReadOnly,
                                       platform::kAttributeHidden, platform::kAttributeArchive,
                                       platform::kAttributeSystem};
  char text[6];
  for (int i = 0; i < 5; ++i) text[i] = (attributes & kBits[i]) ? kLetters[i] : '-';
  text[5] = 0;
  return FromAscii<8>(text);
}

LineText SelectionLine(const Panel& panel) {
  if (panel.selectedFiles + panel.selectedFolders == 0) return FromAscii<192>(" ");
  Ascii32 shortSize;
  Ascii32 grouped;
  FormatShortSize(panel.selectedBytes, shortSize);
  FormatGroupedSize(panel.selectedBytes, grouped);
  char text[192];
  std::snprintf(text, sizeof text, "%s (%s) in %d items (%d folders %d files)", shortSize, grouped,
                panel.selectedFiles + panel.selectedFolders, panel.selectedFolders,
                panel.selectedFiles);
  return FromAscii<192>(text);
}

CellText CurrentItemRightText(const PanelItem& item) {
  char text[80];
  FormatRightText(item, text, sizeof text);
  return FromAscii<80>(text);
}

LineText TotalsLine(const Panel& panel) {
  Ascii32 totalShort;
  Ascii32 totalGrouped;
  FormatShortSize(panel.totalBytes, totalShort);
  FormatGroupedSize(panel.totalBytes, totalGrouped);
  char text[192];
  const int length = std::snprintf(text, sizeof text, "%s (%s) %d files %d folders.", totalShort,
                                   totalGrouped, panel.fileCount, panel.folderCount);
  if (ShowsFreeSpace(panel) && length > 0) {
    Ascii32 freeShort;
    Ascii32 freeGrouped;
    FormatShortSize(panel.freeBytes, freeShort);
    FormatGroupedSize(panel.freeBytes, freeGrouped);
    std::snprintf(text + length, sizeof text - static_cast<size_t>(length), " Free %s (%s)",
                  freeShort, freeGrouped);
  }
  return FromAscii<192>(text);
}

Text TitleText(const Panel& panel, TextView ftpLocation) {
  Text title(u" ");
  switch (KindOf(panel)) {
    case LocationKind::Temporary: title += u"Temporary panel"; break;
    case LocationKind::Archive: title += panel.findName + u"\\" + panel.archiveFolder; break;
    case LocationKind::Ftp: title.append(ftpLocation).append(panel.ftpCurrentDir); break;
    case LocationKind::Local: title += panel.path; break;
  }
  title += u' ';
  return title;
}

Text TitleText(const Panel& panel) { return TitleText(panel, {}); }

CellText CellRightText(const PanelItem& item, int32_t viewMode) {
  if (viewMode == kViewFull) return CurrentItemRightText(item);
  if (viewMode != kViewMedium) return {};
  Ascii32 info;
  FormatInfo(item, info);
  char text[80];
  std::snprintf(text, sizeof text, " %s ", info);
  return FromAscii<80>(text);
}

}  // namespace nrv
