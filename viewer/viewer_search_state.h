#pragma once
// What the viewer looks for and where the next search begins.
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace nrv {

inline constexpr size_t kMaxSearchText = 1023;

// Where an occurrence lies in the characters last laid out: [from, to). A hex pattern in
// decoded text covers every character one of its bytes belongs to.
struct MatchSpan {
  int64_t from = 0;
  int64_t to = 0;
  bool operator==(const MatchSpan&) const = default;
};

struct SearchState {
  Text text;  // empty: no search active
  bool caseSensitive = false;
  bool wholeWords = false;  // kept for the dialog; does not change the search
  bool hexSearch = false;
  int64_t start = 0;               // code units
  std::vector<MatchSpan> matches;  // by from; the ends never go down
};

}  // namespace nrv
