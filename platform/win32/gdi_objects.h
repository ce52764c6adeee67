#pragma once
// Owning holders for the GDI, module and Internet handles of the user interface.
#include <windows.h>

#include <utility>

namespace nrv::platform {

// Owns one handle and closes it with Close when replaced or at the end.
template <typename Handle, auto Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void ReleaseLibrary(HMODULE module) { ::FreeLibrary(module); }
// DestroyIcon is harmless on shared resource icons.
inline void DestroyIconOf(HICON icon) { ::DestroyIcon(icon); }

// A pen, brush, font or bitmap.
template <typename Handle>
using GdiObject = UniqueHandle<Handle, DeleteGdiObject>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// A window's device context obtained once and released at the end.
class KeptDc {
 public:
  KeptDc() = default;
  explicit KeptDc(HWND window) : window_(window), dc_(window ? ::GetDC(window) : nullptr) {
    if (dc_) saved_ = ::SaveDC(dc_);
  }
  ~KeptDc() { Reset(); }
  KeptDc(KeptDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)),
        dc_(std::exchange(other.dc_, nullptr)),
        saved_(std::exchange(other.saved_, 0)) {}
  KeptDc& operator=(KeptDc&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
      saved_ = std::exchange(other.saved_, 0);
    }
    return *this;
  }
  KeptDc(const KeptDc&) = delete;
  KeptDc& operator=(const KeptDc&) = delete;

  HDC Get() const { return dc_; }
  // The context gets its first objects back, so the ones selected since can be deleted.
  void Reset() {
    if (dc_) {
      if (saved_) ::RestoreDC(dc_, saved_);
      ::ReleaseDC(window_, dc_);
    }
    dc_ = nullptr;
    window_ = nullptr;
    saved_ = 0;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  int saved_ = 0;
};

// An off-screen picture compatible with a window's context; its original bitmap goes back
// before the bitmap is deleted.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC like, int width, int height)
      : dc_(::CreateCompatibleDC(like)),
        bitmap_(::CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1)),
        width_(width),
        height_(height) {
    if (dc_ && bitmap_) previous_ = ::SelectObject(dc_, bitmap_.Get());
  }
  ~MemoryCanvas() {
    if (dc_) {
      if (previous_) ::SelectObject(dc_, previous_);
      ::DeleteDC(dc_);
    }
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  bool Ready() const { return dc_ && bitmap_; }
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void CopyTo(HDC target, int x, int y) const {
    if (Ready()) ::BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
  }

 private:
  HDC dc_ = nullptr;
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Puts back the object a context had before a temporary selection.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

using Module = UniqueHandle<HMODULE, ReleaseLibrary>;
using OwnedIcon = UniqueHandle<HICON, DestroyIconOf>;

}  // namespace nrv::platform
