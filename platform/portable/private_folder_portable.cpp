// Host builds have no private folder: no copy is ever made, so there is none to remove.
#include "platform/private_folder.h"

namespace nrv::platform {

bool OpenPrivateFolder(TextView) { return false; }
bool EnsurePrivateFolder() { return false; }
void ClosePrivateFolder() {}
Text PrivateFolder() { return {}; }
Text NewPrivateSubfolder() { return {}; }
void RemovePrivateCopy(TextView) {}

}  // namespace nrv::platform
