#pragma once
// What the viewer looks for and where the next search begins.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxSearchText = 1023;

struct SearchState {
  Text text;  // empty: no search active
  bool caseSensitive = false;
  bool wholeWords = false;  // kept for the dialog; does not change the search
  bool hexSearch = false;
  int64_t start = 0;               // code units
  std::vector<int64_t> matches;  // indices into the buffer last laid out
};

}  // namespace nrv
