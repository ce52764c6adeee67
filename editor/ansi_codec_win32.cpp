#include <windows.h>

#include "editor/editor_document_win32.h"

namespace nrv {

namespace {

void AnsiDecode(const uint8_t* bytes, size_t length, Text& out) {
  const size_t at = out.size();
  out.resize(at + length);  // never more units than bytes
  const int written = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(length),
                                            reinterpret_cast<wchar_t*>(out.data() + at), static_cast<int>(length));
  out.resize(at + static_cast<size_t>(written > 0 ? written : 0));
}

void AnsiEncode(const char16_t* units, size_t length, std::string& out) {
  const size_t at = out.size();
  out.resize(at + length * 2);  // a double-byte code page needs at most two per unit
  const int written = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(units), static_cast<int>(length),
                                            out.data() + at, static_cast<int>(length * 2), nullptr, nullptr);
  out.resize(at + static_cast<size_t>(written > 0 ? written : 0));
}

bool AnsiLeadByte(uint8_t byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

AnsiCodec MakeCodec() {
  CPINFO info{};
  const bool doubleByte = ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
  return AnsiCodec{AnsiDecode, AnsiEncode, doubleByte ? AnsiLeadByte : nullptr};
}

}  // namespace

const AnsiCodec& SystemAnsiCodec() {
  static const AnsiCodec codec = MakeCodec();
  return codec;
}

}  // namespace nrv
