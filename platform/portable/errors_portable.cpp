#include "platform/errors.h"

namespace nrv::platform {
namespace {
thread_local uint32_t gLastError = 0;
}

uint32_t LastError() { return gLastError; }
void SetLastError(uint32_t code) { gLastError = code; }

Text SystemErrorText(uint32_t code) {
  switch (code) {
    case 0: return u"The operation completed successfully.";
    case 2: return u"The system cannot find the file specified.";
    case 3: return u"The system cannot find the path specified.";
    case 5: return u"Access is denied.";
    case 13: return u"The data is invalid.";
    case 18: return u"There are no more files.";
    case 112: return u"There is not enough space on the disk.";
    case 267: return u"The directory name is invalid.";
    default: return {};
  }
}

Text InternetLastResponse() { return {}; }

}  // namespace nrv::platform
