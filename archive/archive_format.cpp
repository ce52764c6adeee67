#include "archive/archive_format.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/message_box.h"

namespace nrv {
namespace {

bool StartsWith(const uint8_t* bytes, size_t n, std::initializer_list<uint8_t> signature) {
  return n >= signature.size() && std::equal(signature.begin(), signature.end(), bytes);
}

bool EqualsAsciiFolded(TextView a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t c = a[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (c != static_cast<unsigned char>(lower[i])) return false;
  }
  return true;
}

bool NamesTar(TextView name) {
  return name.find(u"tar.") != TextView::npos || name.find(u"TAR.") != TextView::npos ||
         name.find(u"Tar.") != TextView::npos;
}

size_t ReadAt(std::ifstream& file, uint64_t offset, uint8_t* buffer) {
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  if (!file) return 0;
  file.read(reinterpret_cast<char*>(buffer), kSignatureBytes);
  return static_cast<size_t>(file.gcount());
}

}  // namespace

int ReadClassByte(int32_t format) {
  switch (format) {
    case kFormatZip: return 0x01;
    case kFormatRar: return 0x03;
    case kFormatArj: return 0x04;
    case kFormatTarGz: return 0xEF;
    case kFormatBZip2: return 0x02;
    case kFormat7z: return 0x07;
    case kFormatCab: return 0x08;
    case kFormatTar: return 0xEE;
    case kFormatIso: return 0xE7;
    case kFormatUdf: return 0xE0;
    default: return -1;
  }
}

bool IsDocumentExtension(TextView extension) {
  return EqualsAsciiFolded(extension, "xlsx") || EqualsAsciiFolded(extension, "docx") ||
         EqualsAsciiFolded(extension, "xlsm") || EqualsAsciiFolded(extension, "jar");
}

int32_t TestLeadingBytes(TextView name, const uint8_t* bytes, size_t n) {
  if (StartsWith(bytes, n, {0x50, 0x4B, 0x03, 0x04})) return kFormatZip;
  if (StartsWith(bytes, n, {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00})) return kFormatRar;
  if (n < 10) return kFormatNone;
  // Byte 10 of a 10-byte read is past the data: it counts as 0.
  if (bytes[0] == 0x60 && bytes[1] == 0xEA && n > 10 && bytes[10] == 2) return kFormatArj;
  if (StartsWith(bytes, n, {0x1F, 0x8B, 0x08})) return NamesTar(name) ? kFormatTarGz : kFormatGZip;
  if (StartsWith(bytes, n, {0x42, 0x5A, 0x68})) return kFormatBZip2;
  if (StartsWith(bytes, n, {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C})) return kFormat7z;
  return kFormatNone;
}

bool IsImageSignature(const uint8_t* bytes, size_t n) {
  return n >= 10 && StartsWith(bytes, n, {0x01, 0x43, 0x44, 0x30, 0x30, 0x31, 0x01});
}

bool AskOpenAsUdf() {
  return platform::ShowMessage({nullptr, u"Open image as UDF (ISO-13346) file system?", u"",
                                platform::MessageIcon::Question, platform::MessageButtons::YesNo}) ==
         platform::MessageAnswer::Yes;
}

ArchiveTest TestArchiveFile(const PanelItem& item, UdfQuestion askUdf) {
  if (IsDocumentExtension(ItemExtension(item))) return {};
  const TextView name = ItemName(item);
  std::ifstream file(std::filesystem::path(Text(name)), std::ios::binary);
  if (!file) return {kArchiveUnreadable, u"Check Arc: Cannot open file \"" + Text(name) + u"\""};
  uint8_t bytes[kSignatureBytes] = {};
  size_t n = ReadAt(file, 0, bytes);
  if (n == 0) return {kArchiveUnreadable, {}};
  if (const int32_t format = TestLeadingBytes(name, bytes, n); format != kFormatNone) return {format, {}};
  n = ReadAt(file, kImageSignatureOffset, bytes);
  if (n == 0) return {kArchiveUnreadable, {}};
  if (!IsImageSignature(bytes, n)) return {};
  return {askUdf() ? kFormatUdf : kFormatIso, {}};
}

}  // namespace nrv
