#pragma once
// Owning holders for the GDI, module and Internet handles of the user interface.
#include <windows.h>

#include <utility>

namespace nrv::platform {

// A pen, brush, font or bitmap, deleted with DeleteObject.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) ::DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// A window's device context obtained once and released at the end.
class KeptDc {
 public:
  KeptDc() = default;
  explicit KeptDc(HWND window) : window_(window), dc_(window ? ::GetDC(window) : nullptr) {}
  ~KeptDc() { Reset(); }
  KeptDc(KeptDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  KeptDc& operator=(KeptDc&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  KeptDc(const KeptDc&) = delete;
  KeptDc& operator=(const KeptDc&) = delete;

  HDC Get() const { return dc_; }
  void Reset() {
    if (dc_) ::ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
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

// A loaded library, freed at the end.
class Module {
 public:
  Module() = default;
  explicit Module(HMODULE module) : module_(module) {}
  ~Module() { Reset(); }
  Module(Module&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
  Module& operator=(Module&& other) noexcept {
    if (this != &other) {
      Reset();
      module_ = std::exchange(other.module_, nullptr);
    }
    return *this;
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  HMODULE Get() const { return module_; }
  void Reset() {
    if (module_) ::FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

// An icon from the shell or a resource; DestroyIcon is harmless on shared resource icons.
class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  ~OwnedIcon() {
    if (icon_) ::DestroyIcon(icon_);
  }
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    if (this != &other) {
      if (icon_) ::DestroyIcon(icon_);
      icon_ = std::exchange(other.icon_, nullptr);
    }
    return *this;
  }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;

  HICON Get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

}  // namespace nrv::platform
