#pragma once
// The server's machine-readable listing (MLSD), its passive-mode reply and the active-mode
// command, without the Internet library: its own listing parser cuts names at the first blank.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace nrv {

struct MachineEntry {
  std::string name;  // the server's bytes
  uint32_t attributes = 0;
  uint64_t size = 0;
  uint64_t writeTime = 0;  // FILETIME, UTC; 0 when the server gave none
};

// One line "fact=value;...; name" (its line break already taken off). None for the entries of
// the folder itself and its parent, and for a line that is not one.
// A size fact beyond what 64 bits hold reads as the largest value, which no listing accepts.
std::optional<MachineEntry> ParseMachineLine(std::string_view line);

// The entries of a whole listing's text, line by line, at most maxEntries of them; true when the
// text held more (the rest is not read).
bool ParseMachineListing(std::string_view text, size_t maxEntries, std::vector<MachineEntry>& entries);

// Adds a received block to a listing's text; false when that would pass limit, the text then
// ending with its last whole line below the limit.
bool AppendListingText(std::string& text, std::string_view block, size_t limit);

// "YYYYMMDDHHMMSS[.sss]" as a FILETIME; 0 when it is not one.
uint64_t MachineTimeToFileTime(std::string_view text);

struct PassiveAddress {
  std::string host;  // dotted, as the reply gave it
  uint16_t port = 0;
};
// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)".
std::optional<PassiveAddress> ParsePassiveReply(std::string_view reply);
// "PORT h1,h2,h3,h4,p1,p2" for an IPv4 address and port in host order.
std::string PortCommand(uint32_t address, uint16_t port);

// A listing record for the panel: the name converted by the caller.
platform::FindData ToFindData(const MachineEntry& entry, Text name);

}  // namespace nrv
