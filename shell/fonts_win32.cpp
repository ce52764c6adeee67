#include <windows.h>
#include <commdlg.h>

#include "shell/fonts.h"
#include "platform/win32/common_dialogs.h"
#include "shell/main_layout_win32.h"
#include "shell/application.h"

namespace nrv {
namespace {

void MakePanelFont(PanelFonts& fonts, bool title) {
  const LOGFONTW& description = title ? fonts.titleDescription : fonts.itemDescription;
  platform::Font& font = title ? fonts.title : fonts.item;
  font.Reset();  // the old font goes first
  font.Reset(::CreateFontIndirectW(&description));
}

void PublishPanelFonts(int side) {
  PanelFonts& fonts = FontsOf(side);
  PanelView& view = ViewOf(side);
  view.font = fonts.item.Get();
  view.titleFont = fonts.title.Get();
}

// Which font the open dialog shows; kept on the dialog as a window property.
struct FontDialogTarget {
  int side = kLeftPanel;
  bool title = false;
};
constexpr wchar_t kFontTargetProperty[] = L"NorvaneFontTarget";

void KeepFontTarget(HWND dialog, LPARAM creation) {
  const auto* request = reinterpret_cast<const CHOOSEFONTW*>(creation);
  ::SetPropW(dialog, kFontTargetProperty, reinterpret_cast<HANDLE>(request->lCustData));
}

void ApplyShownFont(HWND dialog) {
  const auto* target = static_cast<const FontDialogTarget*>(::GetPropW(dialog, kFontTargetProperty));
  if (!target) return;
  LOGFONTW shown{};
  ::SendMessageW(dialog, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&shown));
  PanelFonts& fonts = FontsOf(target->side);
  (target->title ? fonts.titleDescription : fonts.itemDescription) = shown;
  MakePanelFont(fonts, target->title);
  PublishPanelFonts(target->side);
  ::SendMessageW(TheShellWindows().main, WM_SIZE, 0, 0);
}

UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: KeepFontTarget(dialog, lParam); break;
    case WM_DESTROY: ::RemovePropW(dialog, kFontTargetProperty); break;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
      ApplyShownFont(dialog);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

void CreateFixedFontTable(int osMajor) {
  auto& table = TheShellWindows().fixedFonts;
  for (int32_t face = kFirstFontFace; face <= kLastFontFace; ++face) {
    for (int32_t size = kFontSmall; size <= kFontLarge; ++size) {
      const LOGFONTW font = ToLogFont(FixedFontDescription(size, face, osMajor));
      table[static_cast<size_t>(FixedFontIndex(size, face))].Reset(::CreateFontIndirectW(&font));
    }
  }
}

HFONT FixedFont(int32_t sizeCode, int32_t faceCode) {
  const int index = FixedFontIndex(sizeCode, faceCode);
  if (index < 0) return nullptr;
  return TheShellWindows().fixedFonts[static_cast<size_t>(index)].Get();
}

void SelectFixedFont(HDC dc, int32_t sizeCode, int32_t faceCode) {
  if (HFONT font = FixedFont(sizeCode, faceCode)) ::SelectObject(dc, font);
}

void ApplyPanelFonts(const Settings& settings) {
  ShellWindows& windows = TheShellWindows();
  windows.leftFonts.itemDescription = ToLogFont(settings.l_);
  windows.leftFonts.titleDescription = ToLogFont(settings.lt_);
  windows.rightFonts.itemDescription = ToLogFont(settings.r_);
  windows.rightFonts.titleDescription = ToLogFont(settings.rt_);
  for (int side : {kLeftPanel, kRightPanel}) {
    MakePanelFont(FontsOf(side), false);
    MakePanelFont(FontsOf(side), true);
    PublishPanelFonts(side);
  }
}

void StorePanelFonts(Settings& settings) {
  const ShellWindows& windows = TheShellWindows();
  settings.l_ = FromLogFont(windows.leftFonts.itemDescription);
  settings.lt_ = FromLogFont(windows.leftFonts.titleDescription);
  settings.r_ = FromLogFont(windows.rightFonts.itemDescription);
  settings.rt_ = FromLogFont(windows.rightFonts.titleDescription);
}

void ChoosePanelFont(Panel& panel, bool titleFont) {
  FontDialogTarget target{panel.side, titleFont};
  PanelFonts& fonts = FontsOf(panel.side);
  LOGFONTW initial = titleFont ? fonts.titleDescription : fonts.itemDescription;
  CHOOSEFONTW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = nullptr;
  request.lpLogFont = &initial;
  request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE |
                  CF_ENABLEHOOK;
  request.nSizeMax = 20;
  request.lpfnHook = FontDialogHook;
  request.lCustData = reinterpret_cast<LPARAM>(&target);
  platform::ShowChooseFont(request);  // whatever was shown last has been applied already
}

}  // namespace nrv
