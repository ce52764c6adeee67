#pragma once
// Archive formats by number, their library class bytes, and the test that decides from a
// file's first bytes whether entering it opens an archive.
#include <cstddef>
#include <cstdint>

#include "core/panel_item.h"
#include "platform/text.h"

namespace nrv {

enum ArchiveFormat : int32_t {
  kFormatNone = 0,
  kFormatZip = 1,
  kFormatRar = 2,
  kFormatArj = 3,
  kFormatTarGz = 4,  // decompressed first, then browsed as tar
  kFormatBZip2 = 5,  // likewise
  kFormatLzh = 6,    // no class: never produced, never opened
  kFormat7z = 7,
  kFormatCab = 8,
  kFormatTar = 9,
  kFormatIso = 10,
  kFormatUdf = 11,
  kFormatGZip = 12,  // a plain gzip file is run, not entered
};

inline constexpr int kArchiveUnreadable = -1;
inline constexpr uint64_t kImageSignatureOffset = 0x8000;
inline constexpr size_t kSignatureBytes = 20;

// The xx of the class identifier {23170F69-40C1-278A-1000-000110xx0000} used to read format,
// or -1 for a number the reader does not know (0, 6, above 11).
int ReadClassByte(int32_t format);

// Zip files with these extensions belong to their applications.
bool IsDocumentExtension(TextView extension);

// The first-bytes test; n is the number of bytes read from offset 0. kFormatNone when the
// bytes match no signature (the image test at 0x8000 comes next).
int32_t TestLeadingBytes(TextView name, const uint8_t* bytes, size_t n);

// Whether bytes read at 0x8000 start a CD image (ISO or UDF).
bool IsImageSignature(const uint8_t* bytes, size_t n);

// Yes opens an image as UDF, No as ISO.
using UdfQuestion = bool (*)();
bool AskOpenAsUdf();

struct ArchiveTest {
  int32_t format = kFormatNone;  // 1 to 12, 0 not an archive, -1 unreadable
  Text errorText;                // for the error reporter when the file could not be opened
};

// The whole test of a file named as item, opened relative to the current directory.
ArchiveTest TestArchiveFile(const PanelItem& item, UdfQuestion askUdf = AskOpenAsUdf);

// 1 to 11 enter the archive; 0, 12 and -1 run the file.
inline bool EntersArchive(int32_t format) { return format >= kFormatZip && format <= kFormatUdf; }

}  // namespace nrv
