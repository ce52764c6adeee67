#include "panel/browse_folder_win32.h"

#include <shlobj.h>

#include <array>
#include <memory>

#include "panel/navigation.h"
#include "panel/panel_view.h"
#include "platform/win32/wide.h"

namespace nrv {

namespace {

// Only file-system folders, the resizable style, and an edit box for typing a path.
constexpr UINT kPickerFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
static_assert(kPickerFlags == 0x51);

struct TaskMemoryFree {
  void operator()(ITEMIDLIST* pidl) const { ::CoTaskMemFree(pidl); }
};
using OwnedPidl = std::unique_ptr<ITEMIDLIST, TaskMemoryFree>;

}  // namespace

std::optional<Text> PickFolder(HWND owner) {
  std::array<wchar_t, MAX_PATH> displayName{};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = displayName.data();
  info.lpszTitle = L"Browse for folder";
  info.ulFlags = kPickerFlags;
  const OwnedPidl picked(::SHBrowseForFolderW(&info));
  if (!picked) return std::nullopt;
  std::array<wchar_t, MAX_PATH> path{};
  if (!::SHGetPathFromIDListW(picked.get(), path.data())) return std::nullopt;
  return platform::FromWide(path.data());
}

int BrowseForFolder(Panel& panel, ItemList& list) {
  const std::optional<Text> folder = PickFolder(::GetAncestor(static_cast<HWND>(WindowOf(panel)), GA_ROOT));
  if (!folder) return -1;
  return ApplyBrowsedFolder(panel, list, *folder);
}

}  // namespace nrv
