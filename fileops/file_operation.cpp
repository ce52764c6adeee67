#include "fileops/file_operation.h"

#include <string>

#include "config/history.h"
#include "core/panel_context.h"
#include "core/paths.h"
#include "core/listing.h"
#include "core/sorting.h"
#include "panel/navigation.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace nrv {
namespace {

TextView LastComponent(TextView path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? path : path.substr(slash + 1);
}

void AddName(SourceNames& names, TextView name) {
  if (names.count == 0) names.firstName = Text(name);
  names.list += name;
  names.list += u'\0';
  ++names.count;
}

// The names of a NUL-separated list closed by a second NUL.
template <typename Visit>
void ForEachName(TextView list, Visit visit) {
  size_t start = 0;
  while (start < list.size() && list[start] != u'\0') {
    size_t end = list.find(u'\0', start);
    if (end == TextView::npos) end = list.size();
    visit(list.substr(start, end - start));
    start = end + 1;
  }
}

// A row for the temporary panel: the full path, and what the file system says of it now.
PanelItem* TemporaryItemFor(TextView name) {
  platform::FindHandle find;
  platform::FindData data;
  const TextView wanted = LastComponent(name);
  bool found = platform::FindFirst(name, find, data);
  while (found && data.name != wanted) found = platform::FindNext(find, data);
  PanelItem* item = NewItem(platform::FullPathName(name));
  if (found) TakeFindData(*item, data);
  return item;
}

bool IsTemporary(const Panel& panel) { return KindOf(panel) == LocationKind::Temporary; }
bool IsFtp(const Panel& panel) { return KindOf(panel) == LocationKind::Ftp; }

bool TakesOrdinaryPath(uint32_t operation, const Panel& panel, const Panel& other) {
  if (!IsTemporary(panel) && !IsTemporary(other)) return true;
  if (operation == kOperationCopy && IsTemporary(panel)) return true;
  return operation == kOperationDelete && !IsTemporary(panel);
}

bool GoesToFtp(uint32_t operation, const Panel& panel, const Panel& other) {
  if (!IsFtp(panel) && !IsFtp(other)) return false;
  return !(operation == kOperationDelete && !IsFtp(panel));
}

FileOperationResult Nothing() { return {}; }

FileOperationResult Started() {
  FileOperationResult result;
  result.status = 0;
  return result;
}

}  // namespace

int CopyIntoTemporary(TextView sourceList, Panel& temporary, ItemList& temporaryList) {
  ForEachName(sourceList, [&](TextView name) { Append(temporaryList, TemporaryItemFor(name)); });
  if (temporary.sortMode != kSortUnsorted) SortItems(temporaryList, temporary);
  ComputeTotals(temporaryList, temporary);
  return 0;
}

FileOperationJob MakeFileOperationJob(uint32_t operation, TextView folder, TextView nameList,
                                      TextView destination, uint16_t flags) {
  FileOperationJob job;
  job.operation = operation;
  ForEachName(nameList, [&](TextView name) {
    job.sources += AbsolutePath(folder, name);
    job.sources += u'\0';
  });
  job.sources += u'\0';
  if (!destination.empty()) job.destination = AbsolutePath(folder, destination);
  job.destination += u'\0';
  job.destination += u'\0';
  job.flags = flags;
  return job;
}

std::vector<const PanelItem*> ChosenItems(const Panel& panel, const ItemList& list) {
  std::vector<const PanelItem*> chosen;
  if (IsEmpty(list)) return chosen;
  if (panel.selectedFiles + panel.selectedFolders == 0) {
    const int index = panel.cursor < 0 || panel.cursor >= Count(list) ? 0 : panel.cursor;
    chosen.push_back(&At(list, index));
  } else {
    for (const PanelItem* item : list.items)
      if (item->selected) chosen.push_back(item);
  }
  std::erase_if(chosen, [](const PanelItem* item) { return IsDotName(ItemName(*item)); });
  return chosen;
}

SourceNames CollectSourceNames(const Panel& panel, const ItemList& list) {
  SourceNames names;
  if (IsEmpty(list)) return names;
  names.cursorOnly = panel.selectedFiles + panel.selectedFolders == 0;
  for (const PanelItem* item : ChosenItems(panel, list)) {
    names.cursorIsFile = names.cursorOnly && !IsFolder(*item);
    AddName(names, ItemName(*item));
  }
  if (names.count == 0) return SourceNames{};
  names.list += u'\0';
  names.length = static_cast<uint32_t>(names.list.size());
  return names;
}

Text WithClosingBackslash(TextView folder) {
  Text text(folder);
  if (text.empty() || text.back() != u'\\') text += u'\\';
  return text;
}

uint16_t OperationFlags(bool allowRecycle, bool deleteToRecycleSetting) {
  return allowRecycle && deleteToRecycleSetting ? kFlagNoConfirmMakeFolder | kFlagAllowUndo
                                                : kFlagNoConfirmMakeFolder;
}

DestinationQuestion MakeDestinationQuestion(uint32_t operation, const SourceNames& names,
                                            TextView proposal) {
  DestinationQuestion question;
  const bool move = operation == kOperationMove;
  question.caption = move ? u"Rename/Move" : u"Copy";
  question.historyList = move ? kHistoryMove : kHistoryCopy;
  question.proposal = Text(proposal);
  if (names.count == 1)
    question.text = question.caption + u" " + names.firstName + u" to:";
  else
    question.text = question.caption + u" " + Ascii(std::to_string(names.count)) + u" items to:";
  return question;
}

FileOperationResult FileOperation(const FileOperationArgs& args, Panel& panel, ItemList& list,
                                  Panel& other, ItemList& otherList, const FileOperationHooks& hooks) {
  const uint32_t operation = args.operation;
  if (SetCurrentFolder(panel) != 0) return Nothing();
  Text destination = WithClosingBackslash(args.destinationFolder);

  SourceNames names;
  if (args.ready) {
    names.list = args.ready->names;
    names.length = args.ready->length;
    names.count = args.ready->count;
    ForEachName(names.list, [&](TextView name) {
      if (names.firstName.empty()) names.firstName = Text(name);
    });
  } else {
    names = CollectSourceNames(panel, list);
  }
  if (names.count == 0 || names.length == 0) return Nothing();

  if (IsFtp(other))
    destination = other.ftpCurrentDir;
  else if (IsFtp(panel))
    destination = WithClosingBackslash(other.path);

  if (!TakesOrdinaryPath(operation, panel, other)) {
    if (operation != kOperationCopy || !IsTemporary(other)) return Nothing();
    CopyIntoTemporary(names.list, other, otherList);
    FileOperationResult result = Started();
    result.otherChanged = true;
    return result;
  }

  // An FTP folder proposal has no closing backslash and gets no name.
  if (!args.ready && names.cursorOnly && names.cursorIsFile && !IsTemporary(panel) && !destination.empty() &&
      destination.back() == u'\\')
    destination += names.firstName;

  if (operation != kOperationDelete) {
    if (!args.ready) {
      if (!hooks.prompt) return Nothing();
      Text answer;
      if (!hooks.prompt(MakeDestinationQuestion(operation, names, destination), answer))
        return Nothing();
      destination = answer;
    }
    AddHistory(SettingsOf(panel), operation == kOperationMove ? kHistoryMove : kHistoryCopy, destination);
  }

  if (GoesToFtp(operation, panel, other)) {
    FileOperationResult result;
    if (!IsEmpty(list) && hooks.ftpTransfer) result.status = hooks.ftpTransfer(destination, panel, list, other, operation);
    return result;
  }
  if (!hooks.startWorker) return Nothing();
  const uint16_t flags = OperationFlags(args.allowRecycle, SettingsOf(panel).PanelDeleteRecycle != 0);
  FileOperationResult result;
  result.status = hooks.startWorker(MakeFileOperationJob(
      operation, panel.path, names.list, operation == kOperationDelete ? TextView() : TextView(destination), flags));
  return result;
}

namespace {

FileOperationResult RunCommand(uint32_t operation, bool allowRecycle, Panel& panel, ItemList& list,
                               Panel& other, ItemList& otherList, const FileOperationHooks& hooks) {
  FileOperationArgs args;
  args.destinationFolder = other.path;
  args.operation = operation;
  args.allowRecycle = allowRecycle;
  return FileOperation(args, panel, list, other, otherList, hooks);
}

}  // namespace

FileOperationResult CopyCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                const FileOperationHooks& hooks) {
  AddHistory(SettingsOf(panel), kHistoryRecentLocations, panel.path);
  if (IsEmpty(list)) return Nothing();
  if (KindOf(panel) == LocationKind::Archive) {
    if (!hooks.extractArchive || SetCurrentFolder(panel) != 0) return Nothing();
    FileOperationResult result;
    result.status = hooks.extractArchive(panel, list, other);
    return result;
  }
  return RunCommand(kOperationCopy, true, panel, list, other, otherList, hooks);
}

FileOperationResult MoveCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                const FileOperationHooks& hooks) {
  AddHistory(SettingsOf(panel), kHistoryRecentLocations, panel.path);
  if (IsEmpty(list) || KindOf(panel) == LocationKind::Archive) return Nothing();
  return RunCommand(kOperationMove, true, panel, list, other, otherList, hooks);
}

FileOperationResult DeleteCommand(Panel& panel, ItemList& list, Panel& other, ItemList& otherList,
                                  bool toRecycleBin, const FileOperationHooks& hooks) {
  AddHistory(SettingsOf(panel), kHistoryRecentLocations, panel.path);
  if (IsEmpty(list) || KindOf(panel) == LocationKind::Archive) return Nothing();
  if (IsTemporary(panel)) {
    if (!toRecycleBin) return Nothing();
    RemoveFromTemporary(panel, list);
    FileOperationResult result = Started();
    result.panelChanged = true;
    return result;
  }
  return RunCommand(kOperationDelete, toRecycleBin, panel, list, other, otherList, hooks);
}

}  // namespace nrv
