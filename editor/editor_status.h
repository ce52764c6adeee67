#pragma once
// The editor's caption, status line, progress captions and caret-line rules.
#include <cstdint>
#include <optional>

#include "editor/editor_encoding.h"
#include "platform/text.h"

namespace nrv {

// Counting lines in the control is slow for large texts: from this size on no line count is
// kept and no caret line is remembered.
inline constexpr int64_t kLineCountSizeLimit = 512000;
inline constexpr int64_t kProgressStep = 2097152;

struct EditorFigures {
  int64_t caretLine = 1;   // 1-based
  int64_t lineCount = -1;  // -1: not kept
  int64_t visualColumn = 0;
  int64_t charColumn = 1;  // 1-based
};

Text EditorCaption(TextView fileName);
// One row of `columns` characters: the name at the left, the figures at the right, " * " just
// left of them when the text is modified, spaces between.
Text EditorStatusRow(TextView fileName, EditorFormat format, const EditorFigures& figures, bool modified,
                     int columns);

// Bytes streamed so far, reported at most once per kProgressStep.
struct StreamProgress {
  int64_t total = 0;
  int64_t sinceReport = 0;
  int64_t size = 0;  // the file's size at load, the base of both percentages
};
// True when a report is due.
bool AdvanceProgress(StreamProgress& progress, int64_t bytes);
int ProgressPercent(const StreamProgress& progress);
// "Loading %s (%d%%)" or "Saving %s (%d%%)".
Text ProgressCaption(TextView verb, TextView name, int percent);

// The line the caret returns to (1-based) from the stored one; none when the file is too large.
std::optional<int64_t> RememberedLine(int64_t sizeAtLoad, std::optional<int64_t> stored);
// Lines to scroll down so that caretLine lands about a quarter down the window.
int64_t QuarterScroll(int64_t caretLine, int64_t firstVisibleLine);

}  // namespace nrv
