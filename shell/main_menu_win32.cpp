#include "shell/main_menu_win32.h"

#include <array>
#include <vector>

#include "shell/location_menu.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/wide.h"
#include "shell/command_ids.h"
#include "shell/menu_model.h"
#include "shell/application.h"

namespace nrv {

using platform::Selection;
namespace {

constexpr int kIconMargin = 22;
constexpr int kTextTop = 4;

ULONG_PTR KeepText(MainMenu& menu, const Text& text) {
  menu.texts.push_back(text);
  return reinterpret_cast<ULONG_PTR>(menu.texts.back().c_str());
}

void AppendOwnerDrawn(HMENU menu, UINT type, UINT id, HMENU submenu, ULONG_PTR data) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | (submenu ? MIIM_SUBMENU : 0u);
  info.fType = MFT_OWNERDRAW | type;
  info.wID = id;
  info.hSubMenu = submenu;
  info.dwItemData = data;
  ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
}

void KeepSubmenu(PanelSubmenus* panel, TextView name, HMENU submenu) {
  if (!panel) return;
  if (name == u"Mode") panel->mode = submenu;
  if (name == u"Columns (brief mode)") panel->columns = submenu;
  if (name == u"Sort mode") panel->sort = submenu;
}

void AppendEntries(MainMenu& menu, HMENU target, const std::vector<MenuEntry>& entries, PanelSubmenus* panel) {
  for (const MenuEntry& entry : entries) {
    const ULONG_PTR data = KeepText(menu, entry.text);
    switch (entry.kind) {
      case MenuEntry::Kind::Separator:
        AppendOwnerDrawn(target, MFT_SEPARATOR, 0, nullptr, data);
        break;
      case MenuEntry::Kind::Item:
        AppendOwnerDrawn(target, 0, MenuIdOfCommand(entry.command), nullptr, data);
        break;
      case MenuEntry::Kind::Submenu: {
        HMENU submenu = ::CreatePopupMenu();
        AppendEntries(menu, submenu, entry.children, nullptr);
        KeepSubmenu(panel, entry.text, submenu);
        // As a plain popup item would: the item's identifier is its submenu.
        AppendOwnerDrawn(target, 0, static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)), submenu, data);
        break;
      }
    }
  }
}

void ClearChecks(HMENU menu) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    ::CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_UNCHECKED);
    if (HMENU submenu = ::GetSubMenu(menu, i)) ClearChecks(submenu);
  }
}

uint32_t ViewModeCommand(int32_t mode) {
  switch (mode) {
    case kViewBrief: return command::kViewBrief;
    case kViewMedium: return command::kViewMedium;
    case kViewFull: return command::kViewFull;
    default: return 0;
  }
}

uint32_t SortModeCommand(int32_t mode) {
  switch (mode) {
    case kSortName: return command::kSortName;
    case kSortExtension: return command::kSortExtension;
    case kSortSize: return command::kSortSize;
    case kSortUnsorted: return command::kSortUnsorted;
    case kSortAccessTime: return command::kSortAccessTime;
    case kSortCreationTime: return command::kSortCreationTime;
    case kSortWriteTime: return command::kSortWriteTime;
    default: return 0;
  }
}

uint32_t ColumnsCommand(int32_t columns) {
  if (columns < 2 || columns > 4) return 0;
  return command::kColumns2 + static_cast<uint32_t>(columns - 2);
}

uint32_t LocationCommand(const Panel& panel) {
  switch (KindOf(panel)) {
    case LocationKind::Temporary: return command::kTemporaryPanel;
    case LocationKind::Local: return command::kFilePanel;
    default: return 0;  // an archive or FTP folder is neither
  }
}

void Check(HMENU bar, uint32_t command) {
  if (command) ::CheckMenuItem(bar, command, MF_BYCOMMAND | MF_CHECKED);
}

void CheckPanel(HMENU bar, const Panel& panel, uint32_t offset) {
  for (uint32_t id : {ViewModeCommand(panel.viewMode), SortModeCommand(panel.sortMode),
                      ColumnsCommand(panel.briefColumns), LocationCommand(panel)})
    if (id) Check(bar, id + offset);
}

// The icon-title font the shell made, or the system's menu font before it exists.
HFONT MenuFont() {
  if (HFONT font = TheShellWindows().iconTitleFont.Get()) return font;
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ::ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

int TextWidth(HDC dc, const Text& text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, platform::Wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

const wchar_t* ItemText(ULONG_PTR data) {
  const auto* text = reinterpret_cast<const wchar_t*>(data);
  return text ? text : L"";
}

struct ItemColours {
  COLORREF text;
  COLORREF background;
};

ItemColours ColoursFor(UINT state, const Settings& settings) {
  ItemColours colours{settings.ClrPanelMenuText, settings.ClrPanelMenuBackgroundDefault};
  if (state & (ODS_DISABLED | ODS_GRAYED)) {
    colours.text = ::GetSysColor(COLOR_GRAYTEXT);
    return colours;
  }
  if (state & ODS_SELECTED) colours.background = settings.ClrPanelMenuBackground;
  if (state & (ODS_HOTLIGHT | ODS_CHECKED)) colours.background = settings.ClrPanelMenuBackgroundChecked;
  return colours;
}

void DrawSeparator(HDC dc, const RECT& item, COLORREF colour) {
  platform::Pen pen(::CreatePen(PS_SOLID, 1, colour));
  Selection selected(dc, pen.Get());
  const int y = item.top + (item.bottom - item.top) / 2;
  ::MoveToEx(dc, item.left, y, nullptr);
  ::LineTo(dc, item.right, y);
}

void DrawPieces(HDC dc, const RECT& item, TextView text) {
  const std::vector<Text> pieces = MenuTextPieces(text);
  std::vector<int> widths;
  for (const Text& piece : pieces) widths.push_back(TextWidth(dc, piece));
  const std::vector<int> offsets = MenuPieceOffsets(widths, item.right - item.left);
  for (size_t i = 0; i < pieces.size(); ++i) {
    // Each piece paints the background from its start on, so the gaps take the item colour.
    RECT clip{item.left + offsets[i], item.top, item.right, item.bottom};
    if (clip.left >= clip.right) continue;
    ::ExtTextOutW(dc, clip.left, item.top + kTextTop, ETO_OPAQUE | ETO_CLIPPED, &clip,
                  platform::Wide(pieces[i]), static_cast<UINT>(pieces[i].size()), nullptr);
  }
}

// Submenu items have their submenu as identifier, so the kept handles tell them apart.
bool IsKeptSubmenu(UINT itemId) {
  const MainMenu& menu = TheApplication().menu;
  for (const PanelSubmenus* panel : {&menu.left, &menu.right})
    for (HMENU submenu : {panel->mode, panel->columns, panel->sort})
      if (submenu && static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)) == itemId) return true;
  return false;
}

}  // namespace

uint32_t CommandOfMenuId(uint32_t menuId) {
  return menuId == kEditorSettingsMenuId ? command::kEditorSettings : menuId;
}

uint32_t MenuIdOfCommand(uint32_t command) {
  return command == command::kEditorSettings ? kEditorSettingsMenuId : command;
}

int BuildMainMenu() {
  MainMenu& menu = TheApplication().menu;
  menu.bar.Reset(::CreateMenu());
  menu.left = {};
  menu.right = {};
  menu.texts.clear();
  HMENU bar = menu.bar.Get();
  const std::vector<MenuPopup> model = MainMenuModel();
  for (size_t i = 0; i < model.size(); ++i) {
    PanelSubmenus* panel = i == 0 ? &menu.left : i + 1 == model.size() ? &menu.right : nullptr;
    HMENU popup = ::CreatePopupMenu();
    AppendEntries(menu, popup, model[i].entries, panel);
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), platform::Wide(model[i].name));
  }
  return 0;
}

HMENU MainMenuBar() { return TheApplication().menu.bar.Get(); }

PanelSubmenus SubmenusOf(int side) { return side == kRightPanel ? TheApplication().menu.right : TheApplication().menu.left; }

void UpdateCheckMarks(const Panel& left, const Panel& right, const Settings& settings) {
  HMENU bar = MainMenuBar();
  if (!bar) return;
  ClearChecks(bar);
  CheckPanel(bar, left, 0);
  CheckPanel(bar, right, command::kRightPanelOffset);
  if (settings.PanelShowMenu) Check(bar, command::kAlwaysShowMenu);
  if (settings.PanelShowToolbar) Check(bar, command::kShowToolbar);
  if (settings.ArrageHorizontal) Check(bar, command::kVerticalArrangement);
}

void UpdateCheckMarks() { UpdateCheckMarks(PanelOf(kLeftPanel), PanelOf(kRightPanel), TheSettings()); }

void AttachMenu(HWND window, bool show) {
  MainMenu& menu = TheApplication().menu;
  if (!window || !menu.bar.Get()) return;
  menu.bar.SetWindow(window);
  HMENU wanted = show ? menu.bar.Get() : nullptr;
  if (::GetMenu(window) != wanted) ::SetMenu(window, wanted);
}

void AttachMenu() { AttachMenu(TheShellWindows().main, TheSettings().PanelShowMenu != 0); }

void OpenMainMenuFromKeyboard() {
  const ShellState& state = TheShellState();
  HWND main = TheShellWindows().main;
  if (state.viewerOpen || state.editorOpen || !main || !MainMenuBar()) return;
  AttachMenu(main, true);
  // Runs the menu's own loop and returns when the menu is closed.
  ::SendMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 0);
  AttachMenu();
}

bool OnMeasureMenuItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  const Text text = platform::FromWide(ItemText(measure.itemData));
  const bool separator = text.empty();
  int width = 0;
  if (!separator) {
    ScreenDc dc;
    Selection font(dc.Get(), MenuFont());
    width = TextWidth(dc.Get(), text);
  }
  const MenuItemSize size = MeasureMenuItem(separator, text, width);
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
  return true;
}

void DrawMenuItemWithIcon(const DRAWITEMSTRUCT& draw, HICON icon) {
  const Settings& settings = TheSettings();
  HDC dc = draw.hDC;
  const RECT& item = draw.rcItem;
  const Text text = platform::FromWide(ItemText(draw.itemData));
  if (text.empty()) {
    DrawSeparator(dc, item, settings.ClrPanelSelectedBackground);
    return;
  }
  const ItemColours colours = ColoursFor(draw.itemState, settings);
  const int savedDc = ::SaveDC(dc);
  ::SetTextColor(dc, colours.text);
  ::SetBkColor(dc, colours.background);
  Selection font(dc, MenuFont());
  // The margin before the text takes the item colour as well.
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item, nullptr, 0, nullptr);
  if (icon) {
    const int margin = (kIconMargin - 16) / 2;
    ::DrawIconEx(dc, item.left + margin, item.top + (item.bottom - item.top - 16) / 2, icon, 16, 16, 0,
                 nullptr, DI_NORMAL);
  }
  DrawPieces(dc, item, text);
  ::RestoreDC(dc, savedDc);
}

bool OnDrawMenuItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  if (NativeIcon shellIcon = nullptr; LocationMenuIcon(draw.itemID, shellIcon)) {
    DrawMenuItemWithIcon(draw, static_cast<HICON>(shellIcon));
    return true;
  }
  const TextView text = reinterpret_cast<const char16_t*>(ItemText(draw.itemData));
  const int icon = IsKeptSubmenu(draw.itemID) ? MenuIconForSubmenu(text)
                                               : MenuIconForCommand(CommandOfMenuId(draw.itemID));
  DrawMenuItemWithIcon(draw, icon ? ToolIcon(icon) : nullptr);
  return true;
}

}  // namespace nrv
