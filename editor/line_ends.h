#pragma once
// Each line's own break, for files whose lines do not all end alike. The control keeps one kind
// of paragraph break, so the file's breaks are noted as the text goes in, together with a
// fingerprint of every line; a save then gives the lines the user left alone their old breaks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/editor_encoding.h"
#include "platform/text.h"

namespace nrv {

struct LineEnds {
  std::vector<LineEnd> ends;     // one per break, in order
  std::vector<uint64_t> prints;  // one per line, the last one (after the last break) included
  uint64_t hash = 0xCBF29CE484222325ULL;
  bool pendingCr = false;  // a CR ended the last piece: an LF starting the next one joins it
  bool mixed = false;      // known once finished
};

// Rewrites every break in units from `from` on as a lone CR, the control's own paragraph break,
// and notes what it was. Pieces may split a CR LF pair.
void NoteLineEnds(LineEnds& lines, Text& units, size_t from);
// The last line's fingerprint, and whether the breaks differ.
void FinishLineEnds(LineEnds& lines);
// A loaded text whose breaks are all alike keeps only its first break.
void ForgetWhenAlike(LineEnds& lines);

// The break after each line of the text being saved (its fingerprints in `current`): lines at
// the start and the end that match the loaded ones keep their breaks; a line between them
// takes the break of the loaded line at the same place, or of the line before an insertion.
std::vector<LineEnd> PlanLineEnds(const LineEnds& loaded, const std::vector<uint64_t>& current,
                                  LineEnd fallback);

}  // namespace nrv
