#pragma once
// Viewer documents over bytes held by the test.
#include <string>

#include "viewer/viewer_document.h"

namespace nrv::test {

struct MemoryDocument {
  explicit MemoryDocument(std::string content, int columns = 80, int rows = 25,
                          int characterSet = kCharacterSetAnsi)
      : bytes(std::move(content)) {
    doc.geometry.textColumns = columns;
    doc.geometry.textRows = rows;
    doc.characterSet = characterSet;
    OpenDocumentMemory(doc, reinterpret_cast<const uint8_t*>(bytes.data()),
                       static_cast<int64_t>(bytes.size()));
  }
  std::string bytes;
  ViewerDocument doc;
};

inline std::string Utf16(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

}  // namespace nrv::test
