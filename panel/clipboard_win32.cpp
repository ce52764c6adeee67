#include "panel/clipboard_win32.h"

#include <windows.h>

#include <cstring>

#include "panel/clipboard_text.h"

namespace nrv {
namespace {

// Movable global memory, freed unless the clipboard took it.
class GlobalMemory {
 public:
  explicit GlobalMemory(size_t bytes) : memory_(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~GlobalMemory() {
    if (memory_) ::GlobalFree(memory_);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;

  HGLOBAL Get() const { return memory_; }
  HGLOBAL Release() {
    HGLOBAL memory = memory_;
    memory_ = nullptr;
    return memory;
  }

 private:
  HGLOBAL memory_;
};

class OpenClipboardScope {
 public:
  OpenClipboardScope() : open_(::OpenClipboard(nullptr) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool CopyTextToClipboard(TextView text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(bytes);
  if (!memory.Get()) return false;
  void* target = ::GlobalLock(memory.Get());
  if (!target) return false;
  std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
  static_cast<wchar_t*>(target)[text.size()] = L'\0';
  ::GlobalUnlock(memory.Get());

  OpenClipboardScope clipboard;
  if (!clipboard.IsOpen()) return false;
  ::EmptyClipboard();
  if (!::SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

bool CopyNamesToClipboard(const ItemList& list, const Panel& panel, bool fullPaths, ClipboardPath pathOf) {
  return CopyTextToClipboard(ClipboardNamesText(panel, list, fullPaths, pathOf));
}

}  // namespace nrv
