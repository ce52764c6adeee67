#pragma once
// The calling thread's last system error and its description.
#include <cstdint>

#include "platform/text.h"

namespace nrv::platform {

// Error codes worth naming in portable code; values are the Win32 ones.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorInvalidData = 13;
inline constexpr uint32_t kErrorNoMoreFiles = 18;
inline constexpr uint32_t kErrorInvalidName = 123;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;
inline constexpr uint32_t kErrorInternetExtended = 12003;

uint32_t LastError();
void SetLastError(uint32_t code);

// The system's text for an error code, without trailing line breaks; empty when it has none.
Text SystemErrorText(uint32_t code);

// The FTP server's last reply kept by the Internet library for this thread; empty when none.
Text InternetLastResponse();

}  // namespace nrv::platform
