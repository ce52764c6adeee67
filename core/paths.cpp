#include "core/paths.h"

namespace nrv {

bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsAbsolutePath(TextView path) {
  if (!path.empty() && IsPathSeparator(path[0])) return true;
  return path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
}

Text JoinPath(TextView folder, TextView name) {
  Text path(folder);
  if (path.empty() || !IsPathSeparator(path.back())) path += u'\\';
  return path + Text(name);
}

Text AbsolutePath(TextView folder, TextView name) {
  return IsAbsolutePath(name) ? Text(name) : JoinPath(folder, name);
}

TextView WithoutCurrentFolderParts(TextView path) {
  while (!path.empty() && path[0] == u'.' && (path.size() == 1 || IsPathSeparator(path[1]))) {
    path.remove_prefix(1);
    while (!path.empty() && IsPathSeparator(path[0])) path.remove_prefix(1);
  }
  return path;
}

}  // namespace nrv
