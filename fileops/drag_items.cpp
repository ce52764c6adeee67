#include "fileops/drag_items.h"

#include <algorithm>
#include <string>

#include "core/paths.h"

namespace nrv {
namespace {

void AddLine(DragWindowText& window, TextView line, bool closed) {
  window.text += line;
  if (closed) window.text += u"\r\n";
  ++window.lines;
  window.longestLine = std::max(window.longestLine, static_cast<int32_t>(line.size()));
}

}  // namespace

DragWindowText MakeDragWindowText(bool fromArchive, const std::vector<const PanelItem*>& items) {
  DragWindowText window;
  AddLine(window, fromArchive ? u"Extract:" : u"Copy:", true);
  const size_t named = std::min(items.size(), static_cast<size_t>(kDragWindowNamedItems));
  for (size_t i = 0; i < named; ++i)
    AddLine(window, Ascii(std::to_string(i + 1)) + u". " + Text(ItemName(*items[i])), true);
  if (items.size() > named) {
    AddLine(window, u"...", true);
    AddLine(window, u"Total: " + Ascii(std::to_string(items.size())) + u" items", false);
  }
  return window;
}

std::vector<Text> DragPaths(const Panel& panel, const std::vector<const PanelItem*>& items) {
  std::vector<Text> paths;
  paths.reserve(items.size());
  for (const PanelItem* item : items) paths.push_back(AbsolutePath(panel.path, ItemName(*item)));
  return paths;
}

}  // namespace nrv
