#include "panel/context_menu_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

#include "core/listing.h"
#include "panel/context_menu_names.h"
#include "panel/panel_paint.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// One COM reference, released at the end.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  Interface** Out() {
    Reset();
    return &pointer_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  void Reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

// An identifier list from the shell, freed with the shell's allocator.
class ShellPidl {
 public:
  explicit ShellPidl(IMalloc* allocator) : allocator_(allocator) {}
  ~ShellPidl() { Reset(); }
  ShellPidl(ShellPidl&& other) noexcept
      : allocator_(other.allocator_), pidl_(std::exchange(other.pidl_, nullptr)) {}
  ShellPidl(const ShellPidl&) = delete;
  ShellPidl& operator=(const ShellPidl&) = delete;
  ShellPidl& operator=(ShellPidl&&) = delete;

  LPITEMIDLIST Get() const { return pidl_; }
  LPITEMIDLIST* Out() {
    Reset();
    return &pidl_;
  }
  void Reset(LPITEMIDLIST pidl = nullptr) {
    if (pidl_) allocator_->Free(pidl_);
    pidl_ = pidl;
  }

 private:
  IMalloc* allocator_;
  LPITEMIDLIST pidl_ = nullptr;
};

// The menu's IContextMenu2 while TrackPopupMenu runs, kept on the owner for its submenu messages.
constexpr wchar_t kOpenMenuProperty[] = L"NorvaneOpenContextMenu";

bool ParseInto(IShellFolder* folder, const Text& name, ShellPidl& pidl) {
  Text writable = name;  // ParseDisplayName takes a non-const string
  ULONG eaten = 0;
  return SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, reinterpret_cast<LPWSTR>(writable.data()),
                                            &eaten, pidl.Out(), nullptr)) &&
         pidl.Get();
}

// Fills, shows and runs the menu; true when it was shown.
bool RunMenu(HWND owner, IContextMenu* menu) {
  ComRef<IContextMenu2> menu2;
  menu->QueryInterface(__uuidof(IContextMenu2), menu2.OutVoid());
  IContextMenu* filler = menu2 ? menu2.Get() : menu;

  HMENU popup = ::CreatePopupMenu();
  if (!popup) return false;
  bool shown = false;
  if (SUCCEEDED(filler->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE))) {
    POINT at{};
    ::GetCursorPos(&at);
    ::SetPropW(owner, kOpenMenuProperty, menu2.Get());
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    ::RemovePropW(owner, kOpenMenuProperty);
    shown = true;
    if (chosen > 0) {
      CMINVOKECOMMANDINFO invoke{};
      invoke.cbSize = sizeof(invoke);
      invoke.hwnd = owner;
      invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
      invoke.nShow = SW_SHOWNORMAL;
      filler->InvokeCommand(&invoke);
    }
  }
  ::DestroyMenu(popup);
  return shown;
}

}  // namespace

bool ShowShellContextMenu(HWND owner, TextView folder, const std::vector<Text>& names) {
  ComRef<IMalloc> allocator;
  if (FAILED(::SHGetMalloc(allocator.Out()))) return false;
  ComRef<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.Out()))) return false;
  ShellPidl folderPidl(allocator.Get());
  if (!ParseInto(desktop.Get(), Text(folder), folderPidl)) return false;

  ComRef<IContextMenu> menu;
  if (!names.empty()) {
    ComRef<IShellFolder> shellFolder;
    if (FAILED(desktop->BindToObject(folderPidl.Get(), nullptr, __uuidof(IShellFolder), shellFolder.OutVoid())))
      return false;
    std::vector<ShellPidl> items;
    std::vector<LPCITEMIDLIST> raw;
    items.reserve(names.size());
    for (const Text& name : names) {
      items.emplace_back(allocator.Get());
      if (!ParseInto(shellFolder.Get(), name, items.back())) return false;
      raw.push_back(items.back().Get());
    }
    if (FAILED(shellFolder->GetUIObjectOf(owner, static_cast<UINT>(raw.size()), raw.data(), __uuidof(IContextMenu),
                                          nullptr, menu.OutVoid())))
      return false;
  } else {
    // The folder's own menu: asked of its parent for its last item.
    ShellPidl parentPidl(allocator.Get());
    parentPidl.Reset(::ILClone(folderPidl.Get()));
    if (!parentPidl.Get() || !::ILRemoveLastID(parentPidl.Get())) return false;
    LPCITEMIDLIST last = ::ILFindLastID(folderPidl.Get());
    ComRef<IShellFolder> parent;
    if (parentPidl.Get()->mkid.cb == 0) {
      desktop->AddRef();
      *parent.Out() = desktop.Get();
    } else if (FAILED(desktop->BindToObject(parentPidl.Get(), nullptr, __uuidof(IShellFolder), parent.OutVoid()))) {
      return false;
    }
    if (FAILED(parent->GetUIObjectOf(owner, 1, &last, __uuidof(IContextMenu), nullptr, menu.OutVoid()))) return false;
  }
  return menu && RunMenu(owner, menu.Get());
}

bool ForwardContextMenuMessage(HWND owner, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITMENUPOPUP && message != WM_DRAWITEM && message != WM_MEASUREITEM) return false;
  auto* menu = static_cast<IContextMenu2*>(::GetPropW(owner, kOpenMenuProperty));
  return menu && SUCCEEDED(menu->HandleMenuMsg(message, wParam, lParam));
}

}  // namespace nrv
