#include "editor/editor_status.h"

#include <cstdio>

namespace nrv {

Text EditorCaption(TextView fileName) { return u"Edit " + Text(fileName); }

Text EditorStatusRow(TextView fileName, EditorFormat format, const EditorFigures& figures, bool modified,
                     int columns) {
  char right[160];
  const std::string name = ToUtf8(FormatName(format));
  const auto line = static_cast<long long>(figures.caretLine);
  const auto col = static_cast<long long>(figures.visualColumn + 1);
  const auto ch = static_cast<long long>(figures.charColumn);
  if (figures.lineCount >= 0)
    std::snprintf(right, sizeof right, " %s   Line %2lld/%-4lld Col %-2lld  Ch %-4lld ", name.c_str(), line,
                  static_cast<long long>(figures.lineCount), col, ch);
  else
    std::snprintf(right, sizeof right, " %s   Line %2lld Col %-2lld  Ch %-4lld ", name.c_str(), line, col, ch);
  Text rightText = Ascii(right);
  if (modified) rightText.insert(0, u" * ");
  Text row = Text(fileName) + u" ";
  const size_t width = columns > 0 ? static_cast<size_t>(columns) : 0;
  if (row.size() + rightText.size() < width) row.append(width - row.size() - rightText.size(), u' ');
  return row + rightText;
}

bool AdvanceProgress(StreamProgress& progress, int64_t bytes) {
  progress.total += bytes;
  progress.sinceReport += bytes;
  if (progress.sinceReport <= kProgressStep) return false;
  progress.sinceReport = 0;
  return true;
}

int ProgressPercent(const StreamProgress& progress) {
  const int64_t size = progress.size > 0 ? progress.size : 1;
  return static_cast<int>(progress.total * 100 / size);
}

Text ProgressCaption(TextView verb, TextView name, int percent) {
  return Text(verb) + u" " + Text(name) + u" (" + Ascii(std::to_string(percent)) + u"%)";
}

std::optional<int64_t> RememberedLine(int64_t sizeAtLoad, std::optional<int64_t> stored) {
  if (sizeAtLoad >= kLineCountSizeLimit) return std::nullopt;
  const int64_t line = stored.value_or(1);
  return line < 1 ? 1 : line;
}

int64_t QuarterScroll(int64_t caretLine, int64_t firstVisibleLine) {
  return (caretLine - firstVisibleLine) * 3 / 4;
}

}  // namespace nrv
