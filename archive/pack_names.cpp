#include "archive/pack_names.h"

#include <string>

namespace nrv {

Text ArchiveProposal(TextView folder, int selectedCount, TextView cursorName) {
  if (selectedCount <= 0) return Text(cursorName) + u".7z";
  while (folder.size() > 1 && (folder.back() == u'\\' || folder.back() == u'/')) folder.remove_suffix(1);
  const size_t slash = folder.find_last_of(u"\\/");
  TextView last = slash == TextView::npos ? folder : folder.substr(slash + 1);
  if (last.size() == 2 && last[1] == u':') last = last.substr(0, 1);
  return Text(last) + u".7z";
}

Text TemporaryArchivePath(TextView archivePath, int attempt) {
  return Text(archivePath) + u"." + Ascii(std::to_string(attempt)) + u".tmp";
}

bool ScannedPathTooLong(TextView folder, TextView name) { return folder.size() + name.size() >= kMaxScannedPath; }

}  // namespace nrv
