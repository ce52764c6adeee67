#pragma once
// The loaded archive library as the archive code reaches it. Start-up loads 7z.dll and hands
// the module over once, before any worker exists.
#include "archive/seven_zip_interfaces_win32.h"
#include "platform/text.h"

namespace nrv {

// Kept for the whole run; nullptr when archives are unavailable.
void SetArchiveLibrary(HMODULE module);
HMODULE ArchiveLibrary();

// An object of the class for format asking for interface (IID_IInArchive to read). 0, or -1
// after "Unknown archive format" or "Cannot get CreateObject" was shown.
int CreateArchiveObject(int32_t format, const GUID& interfaceId, void** object);
// The same with the class byte given directly (the outer gzip of a tar).
int CreateArchiveObjectOfClass(int classByte, const GUID& interfaceId, void** object);

// The same without a message, for the workers, which log instead: S_OK, or E_FAIL when the
// format has no class or the library gives no object.
HRESULT CreateArchiveObjectQuietly(int32_t format, const GUID& interfaceId, void** object);

// A library message box: caption "Norvane 1.0.0", error icon.
void ShowArchiveError(const Text& text);
// text with its "%s" replaced by value.
Text FormatMessageText(TextView text, TextView value);

}  // namespace nrv
