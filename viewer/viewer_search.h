#pragma once
// Finding text in the viewed file: reads the file itself in 8192-byte blocks, so it reaches
// any position of a file of any size, independently of the decoded window.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "viewer/viewer_document.h"

namespace nrv {

inline constexpr size_t kSearchBlock = 8192;

// Result codes; the window turns them into its messages.
inline constexpr int kSearchFound = 0;
inline constexpr int kSearchNotFound = -1;  // also end of file, read error and stop
inline constexpr int kSearchNoText = -2;    // "No text entered"
inline constexpr int kSearchBadHex = -3;    // a malformed hex pattern: no search is made

enum class SearchFold {
  kNone,
  kAsciiOnly,  // Dump and Hex mode: only A to Z are lowered
  kCodePage,   // Text mode: letters of the pattern's code page, as FoldCase folds them
  kUtf8,       // Text mode of a UTF-8 document
};

struct SearchRun {
  const ViewerFile* file = nullptr;
  int64_t fileSize = 0;
  bool backward = false;  // the last occurrence that ends at or before start
  SearchFold fold = SearchFold::kNone;
  int characterSet = kCharacterSetAnsi;  // for kCodePage
  // Called with the percentage whenever it changes; "Searching: %d%%" in the caption.
  std::function<void(int)> progress;
  // Set by another thread or by the progress callback (Escape and OK) to end with -1.
  const std::atomic<bool>* stop = nullptr;
};

// Hex byte pairs with optional spaces between them: "4D 5A 90" or "4d5a90". false for an
// odd digit, a pair split by a space, another character or nothing at all.
bool ParseHexPattern(TextView text, std::string& bytes);

// Position of the pattern from start (bytes, or units for FindUnits), or -1. A pattern longer
// than one block gives -1.
int64_t FindBytes(const SearchRun& run, int64_t start, const std::string& pattern);
int64_t FindUnits(const SearchRun& run, int64_t start, const std::u16string& pattern);

// Finds doc.search.text from doc.search.start and moves the view so that the hit shows in the
// third row; then lays out the screen and continues the next search after it. The text is
// folded in place unless caseSensitive.
int FindNext(ViewerDocument& doc, std::function<void(int)> progress = {},
             const std::atomic<bool>* stop = nullptr, bool backward = false);

// Every occurrence (overlaps included) of the search text in buffer, folded unless
// caseSensitive; the buffer must already hold the characters as drawn.
void BuildMatches(const SearchState& search, TextView buffer, std::vector<MatchSpan>& matches);
// The same over the decoded window. A hex pattern in decoded text is looked for in the bytes
// the window came from and covers the characters its bytes belong to.
void BuildWindowMatches(ViewerDocument& doc);
// Matches of what the screen shows of the search: a hex pattern's bytes where single bytes are
// drawn (Hex mode and single-byte documents), else the text.
void BuildShownMatches(const ViewerDocument& doc, TextView buffer, std::vector<MatchSpan>& matches);
// A hex pattern over bytes drawn unit bytes to a cell (Dump mode): each hit marks every cell one
// of its bytes falls in, so a hit from the middle of a UTF-16 unit marks that unit too.
void BuildDumpHexMatches(TextView hexText, const uint8_t* bytes, size_t size, int unit,
                         std::vector<MatchSpan>& matches);
// True when index lies inside one of the matches.
bool IsMatched(const std::vector<MatchSpan>& matches, int64_t index);

void ResetSearch(SearchState& search);

}  // namespace nrv
