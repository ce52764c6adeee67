#pragma once
// Every text a cell, a status line or a title shows for an item.
#include <cstdint>

#include "core/item_list.h"
#include "core/panel.h"

namespace nrv {

// " %7s" with "Junc.", "Up" or "Folder", or the size in one of three forms.
Text InfoText(const PanelItem& item);
// "dd.mm.yy hh:mm" in local time; the year part is empty outside 1000 to 9999.
Text DateText(uint64_t fileTime);
Text ShortSize(int64_t value);
Text GroupedSize(int64_t value);
// Five letters D R H A S, "-" for a clear bit.
Text AttributeLetters(uint32_t attributes);

// The three status lines and the title of a panel.
Text SelectionLine(const Panel& panel);
Text CurrentItemRightText(const PanelItem& item);  // " %s  [%s] "
Text TotalsLine(const Panel& panel, bool showFreeSpace);
Text TitleText(const Panel& panel, TextView ftpLocation);

// The right-hand text of a cell: empty in Brief, " %s " in Medium, " %s  [%s] " in Full.
Text CellRightText(const PanelItem& item, int32_t viewMode);

}  // namespace nrv
