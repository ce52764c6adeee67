#include "core/settings.h"

#include "core/settings_colours.h"
#include "platform/files.h"
#include "platform/system.h"

namespace nrv {

FontGroup DefaultTitleFont(int osMajorVersion) {
  FontGroup font;
  const bool newer = osMajorVersion >= 6;
  font.lfFaceName = newer ? u"Consolas" : u"Courier New";
  font.lfHeight = newer ? 15 : 14;
  font.lfWeight = 0;
  font.lfCharSet = 1;  // DEFAULT_CHARSET
  return font;
}

int ApplyScheme(Settings& settings, int32_t scheme) {
  using settings_colours::SchemeCell;
  if (scheme < 0 || scheme >= settings_colours::kBuiltInSchemes) return 0;
  for (const auto& colour : settings_colours::kColourValues) {
    const SchemeCell& cell = colour.schemes[scheme];
    switch (cell.kind) {
      case SchemeCell::Kind::Fixed:
        settings.*colour.field = cell.value;
        break;
      case SchemeCell::Kind::System:
        settings.*colour.field = platform::SystemColor(static_cast<int>(cell.value));
        break;
      case SchemeCell::Kind::Unset:
        break;
    }
  }
  return 0;
}

void ApplyDefaults(Settings& s) {
  // 1. Scheme.
  s.ColorScheme = kSchemeWhite;
  ApplyScheme(s, kSchemeWhite);

  // 2. Font codes, sort and view modes, columns, context-menu timer.
  s.FontPanelSizeLeft = s.FontPanelFaceLeft = 1001;
  s.FontPanelSizeRight = s.FontPanelFaceRight = 1001;
  s.FontViewerSize = s.FontViewerFace = 1001;
  s.FontStatusbarSize = s.FontStatusbarFace = 1001;
  s.SortPanelLeft = 1002;
  s.SortPanelRight = 1001;
  s.ModePanelLeft = 1002;
  s.ModePanelRight = 1000;
  s.ModePanelLeftColumns = 2;
  s.ModePanelRightColumns = 2;
  s.PanelContextMenuTimer = 300;

  // 3. The sixteen panel switches and the splitter.
  s.PanelShowToolbar = 1;
  s.PanelShowMenu = 1;
  s.PanelAutoUpdatePanels = 1;
  s.PanelAutoUpdateNetwork = 0;
  s.PanelShowFreeSize = 1;
  s.PanelShowFreeSizeNetwork = 0;
  s.PanelShowFileOwners = 0;
  s.PanelScrollColumns = 0;
  s.PanelSelectFolders = 0;
  s.PanelDeleteRecycle = 1;
  s.PanelAllowDragdrop = 1;
  s.PanelAllowSysmenu = 1;
  s.PanelShowTooltips = 1;
  s.PanelShowPanelStatusbar = 1;
  s.PanelShowIcons = 1;
  s.PanelLargeIcons = 0;
  s.WindowsOffset = 0;

  // 4. Panel paths.
  s.PanelPathLeft = platform::CurrentFolder();
  s.PanelPathRight = s.PanelPathLeft;

  // 5. Font groups, member by member from their source fonts.
  const FontGroup iconTitle = platform::IconTitleFont();
  const FontGroup title = DefaultTitleFont(platform::OsMajorVersion());
  s.l_ = iconTitle;
  s.lt_ = title;
  s.r_ = iconTitle;
  s.rt_ = title;

  // 6. External programs, the remaining switches, window rectangle, history size.
  s.ExternalEditor.clear();
  s.ExternalViewer.clear();
  s.ArrageHorizontal = 0;
  s.EditorWordWrap = 0;
  s.UseExternalViewer = 0;
  s.UseExternalEditor = 0;
  s.ViewerSavePosition = 1;
  s.EditorSavePosition = 1;
  s.WindowLeft = s.WindowTop = s.WindowRight = s.WindowBottom = 0;
  s.HistoryCount = 10;
  s.PanelAlwaysShowTabs = 0;
}

void LoadDefaultConfiguration(Settings& s) {
  const int32_t sortLeft = s.SortPanelLeft, sortRight = s.SortPanelRight;
  const int32_t modeLeft = s.ModePanelLeft, modeRight = s.ModePanelRight;
  const int32_t columnsLeft = s.ModePanelLeftColumns, columnsRight = s.ModePanelRightColumns;
  const int32_t offset = s.WindowsOffset;
  Text pathLeft = std::move(s.PanelPathLeft);
  Text pathRight = std::move(s.PanelPathRight);

  ApplyDefaults(s);

  s.SortPanelLeft = sortLeft;
  s.SortPanelRight = sortRight;
  s.ModePanelLeft = modeLeft;
  s.ModePanelRight = modeRight;
  s.ModePanelLeftColumns = columnsLeft;
  s.ModePanelRightColumns = columnsRight;
  s.WindowsOffset = offset;
  s.PanelPathLeft = std::move(pathLeft);
  s.PanelPathRight = std::move(pathRight);
}

}  // namespace nrv
