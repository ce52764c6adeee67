#pragma once
// The "Open URL" dialog of the drives-and-locations menu.
#include "core/item_list.h"
#include "core/panel.h"
#include "platform/handles.h"

namespace nrv {

// Asks for the server, login and password, and opens the server in panel. 1 Open (whether or
// not the server could be opened), 2 Cancel.
int OpenUrlCommand(NativeWindow owner, Panel& panel, ItemList& list);

}  // namespace nrv
