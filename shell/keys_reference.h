#pragma once
// The keys reference of the user guide, read off the key tables themselves so that it lists
// exactly the keys the program binds.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/key_table.h"

namespace nrv {

// What a key does in one place: the table's action and how the guide words it; no words when
// the key does nothing there.
struct KeyUse {
  int action = 0;
  std::string_view text;
};

struct KeyPlace {
  std::string_view title;
  KeyUse (*use)(const KeyState& key);
};

// The places keys act in, in the guide's order. A new key table is one more row here.
std::span<const KeyPlace> KeyPlaces();

// Every key-down the tables can be asked about: each virtual key with each set of Ctrl, Shift
// and Alt.
std::vector<KeyState> AllKeyStates();

// "Ctrl+Shift+F8", "Gray +", "Alt+Enter": the way the menus write keys.
std::string KeyName(const KeyState& key);

// One place's bound keys, grouped by what they do, in the table's order of actions. Shift held
// with a key is left out where it does what the key alone does.
struct KeyGroup {
  std::vector<std::string> keys;
  std::string_view text;
};
std::vector<KeyGroup> BoundKeyGroups(const KeyPlace& place);

// The reference as plain text: a title line per place, then "  keys  what they do" lines.
std::string KeysReferenceText();

}  // namespace nrv
