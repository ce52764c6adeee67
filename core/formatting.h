#pragma once
// Every text a cell, a status line or a title shows for an item. The short texts are made in
// fixed buffers so that drawing a page allocates nothing.
#include <cstddef>
#include <cstdint>

#include "core/item_list.h"
#include "core/listing.h"
#include "core/panel.h"

namespace nrv {

// A zero-terminated text of at most N - 1 characters held by value.
template <size_t N>
struct FixedText {
  char16_t chars[N] = {};
  size_t length = 0;

  TextView view() const { return TextView(chars, length); }
  operator TextView() const { return view(); }
  const char16_t* c_str() const { return chars; }
};

using ShortText = FixedText<32>;
using CellText = FixedText<80>;
using LineText = FixedText<192>;

// " %7s" with "Junc.", "Up" or "Folder", or the size as " %5d M", " %5d K" or " %7d".
ShortText InfoText(const PanelItem& item);
// "dd.mm.yy hh:mm" in local time; the year part is empty outside 1000 to 9999; empty when
// the time cannot be converted.
ShortText DateText(uint64_t fileTime);
// "%d G", "%d M", "%d K" or "%d", rounded to the nearest unit, halves up.
ShortText ShortSize(int64_t value);
// The decimal number with a blank between groups of three digits: "1 234 567", "-1 000".
ShortText GroupedSize(int64_t value);
// Five letters D R H A S, "-" for a clear bit.
FixedText<8> AttributeLetters(uint32_t attributes);


// "%s (%s) in %d items (%d folders %d files)", or " " when nothing is selected.
LineText SelectionLine(const Panel& panel);
// The right part of the current-item line: " %s  [%s] " with InfoText and DateText.
CellText CurrentItemRightText(const PanelItem& item);
// "%s (%s) %d files %d folders. Free %s (%s)", without the free part when it is not shown.
LineText TotalsLine(const Panel& panel);
// The title line; ftpLocation is the FTP location text of the panel's connection.
Text TitleText(const Panel& panel, TextView ftpLocation);
// The title line of a panel whose row knows no server.
Text TitleText(const Panel& panel);

// The right-hand text of a cell in the given (effective) view mode: empty in Brief,
// " %s " in Medium, " %s  [%s] " in Full.
CellText CellRightText(const PanelItem& item, int32_t viewMode);

}  // namespace nrv
