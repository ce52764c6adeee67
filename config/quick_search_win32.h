#pragma once
// The type-ahead box of a panel (dialog 105, "Search"), owned by the panel's window and placed
// over its lower edge. Each printable character moves the panel's cursor to the first name that
// the box's text plus the character begins; a character that no name continues is refused.
#include "config/dialog_store.h"
#include "core/item_list.h"
#include "core/panel.h"
#include "platform/text.h"

namespace nrv {

// start is the character that opened the search (the panel has already jumped to it); redraw,
// when given, draws the panel after every move. kDialogOk when closed with Enter, kDialogCancel
// with Escape or the close box; the cursor stays where the search left it.
int QuickSearch(NativeWindow panelWindow, TextView start, Panel& panel, ItemList& list, QuickSearchRedraw redraw);

}  // namespace nrv
