#pragma once
// The modeless "Search text" dialog of the viewer: F7 or the menu's "Search" opens it, Enter
// finds the next occurrence after the screen.
#include "viewer/viewer_window_win32.h"

namespace nrv {

// Opens the dialog (or brings it forward when it is open), centred on the viewer.
void OpenSearchDialog(ViewerSession& session);
// Closes it as its close button does; nothing when it is not open.
void CloseSearchDialog(ViewerSession& session);

// Looks for the search text again and repaints; backward finds the last occurrence that ends
// before the top of the screen. Reports "not found" and a malformed hex pattern.
void SearchAgain(ViewerSession& session, bool backward);

// The search text a hex pattern must look like, for the message about a malformed one.
inline constexpr char16_t kBadHexMessage[] =
    u"Search for hex takes pairs of hex digits, with or without spaces between them: \"4D 5A 90\".";

}  // namespace nrv
