#include "fileops/drop_action.h"

namespace nrv {

DropAction DecideDrop(int targetSide, LocationKind targetKind, DropOrigin origin) {
  if (origin.side == targetSide) return DropAction::None;
  const bool ours = origin.side != 0;
  if (ours && origin.kind == LocationKind::Archive)
    return targetKind == LocationKind::Local ? DropAction::Extract : DropAction::None;
  if (ours && origin.kind == LocationKind::Ftp)
    return targetKind == LocationKind::Local ? DropAction::Download : DropAction::None;
  switch (targetKind) {
    case LocationKind::Local: return DropAction::Copy;
    case LocationKind::Temporary: return DropAction::AddToTemporary;
    // An FTP transfer takes the items of a panel, so only a drag from our own local panel has any.
    case LocationKind::Ftp: return ours && origin.kind == LocationKind::Local ? DropAction::Upload : DropAction::None;
    case LocationKind::Archive: return DropAction::None;
  }
  return DropAction::None;
}

std::vector<Text> ArchiveNamesOf(const std::vector<Text>& dropped) {
  std::vector<Text> names;
  names.reserve(dropped.size());
  for (const Text& path : dropped) {
    const size_t slash = path.find_last_of(u"\\/");
    names.push_back(slash == Text::npos ? path : path.substr(slash + 1));
  }
  return names;
}

ReadyList ReadyListOf(const std::vector<Text>& paths) {
  ReadyList ready;
  for (const Text& path : paths) {
    if (path.empty()) continue;
    ready.names += path;
    ready.names += u'\0';
    ++ready.count;
  }
  ready.names += u'\0';
  ready.length = static_cast<uint32_t>(ready.names.size());
  return ready;
}

FileOperationResult CopyDroppedFiles(const ReadyList& dropped, Panel& target, ItemList& targetList,
                                     const FileOperationHooks& hooks) {
  FileOperationArgs args;
  args.destinationFolder = target.path;
  args.ready = &dropped;
  args.operation = kOperationCopy;
  args.allowRecycle = true;
  // The target stands in for the other panel too: a drop involves one panel only.
  return FileOperation(args, target, targetList, target, targetList, hooks);
}

}  // namespace nrv
