#pragma once
// What the Open URL dialog's "Properties" button sets for one server: passive or active data
// connections and the remote folder a new connection opens at. Kept per saved URL, one value a
// server named by its saved entry, beside the saved URLs; never a password.
#include <optional>
#include <vector>

#include "platform/text.h"

namespace nrv {

// The longest remote path a panel keeps.
inline constexpr size_t kRemoteFolderLength = 1024;

struct ConnectionProperties {
  bool passive = true;
  Text startFolder;  // an absolute remote folder; empty is the server's root
};

// "passive;/pub" or "active;" as stored.
Text PropertiesText(const ConnectionProperties& properties);
std::optional<ConnectionProperties> ParseProperties(TextView text);
// The folder as typed, made absolute ("pub/" gives "/pub"); empty for the root or a folder
// longer than a panel keeps.
Text StartFolderOf(TextView typed);

// The stored properties of a saved entry ("login@host:port"); the defaults when it has none.
ConnectionProperties PropertiesOf(TextView entry);
int SaveProperties(TextView entry, const ConnectionProperties& properties);
// Drops the properties of servers that are no longer among the saved entries.
void KeepPropertiesOf(const std::vector<Text>& savedEntries);

}  // namespace nrv
