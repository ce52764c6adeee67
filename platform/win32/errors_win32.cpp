#include <windows.h>
#include <wininet.h>

#include "platform/errors.h"
#include "platform/win32/wide.h"

namespace nrv::platform {

uint32_t LastError() { return ::GetLastError(); }
void SetLastError(uint32_t code) { ::SetLastError(code); }

Text SystemErrorText(uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer),
      0, nullptr);
  Text text;
  if (length && buffer) text = FromWide(buffer, length);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' '))
    text.pop_back();
  return text;
}

Text InternetLastResponse() {
  DWORD error = 0;
  DWORD length = 0;
  ::InternetGetLastResponseInfoW(&error, nullptr, &length);
  if (length == 0) return {};
  std::wstring buffer(length + 1, L'\0');
  length = static_cast<DWORD>(buffer.size());
  if (!::InternetGetLastResponseInfoW(&error, buffer.data(), &length)) return {};
  return FromWide(buffer.c_str(), length);
}

}  // namespace nrv::platform
