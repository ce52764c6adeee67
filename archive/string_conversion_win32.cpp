#include "archive/string_conversion_win32.h"

namespace nrv {

UString MultiByteToUnicodeString(const AString& text, UINT codePage) {
  if (text.IsEmpty()) return {};
  const int length = ::MultiByteToWideChar(codePage, 0, text.Ptr(), text.Length(), nullptr, 0);
  if (length <= 0) return {};
  std::u16string wide(static_cast<size_t>(length), u'\0');
  ::MultiByteToWideChar(codePage, 0, text.Ptr(), text.Length(), reinterpret_cast<wchar_t*>(wide.data()), length);
  return UString(std::u16string_view(wide));
}

}  // namespace nrv
