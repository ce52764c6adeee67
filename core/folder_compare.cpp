#include "core/folder_compare.h"

#include <string>
#include <unordered_map>

#include "core/masks.h"
#include "core/selection.h"

namespace nrv {
namespace {

constexpr uint64_t kTwoSeconds = 2 * 10'000'000ull;  // FILETIME ticks

TextView LastComponent(TextView name) {
  const size_t slash = name.find_last_of(u"\\/");
  return slash == TextView::npos ? name : name.substr(slash + 1);
}

Text NameKey(TextView name) {
  Text key(name);
  for (auto& c : key) c = UpcaseAsWindows(c);
  return key;
}

// -1 left older, 0 the same time, 1 left newer.
int TimeOrder(const CompareOptions& options, uint64_t left, uint64_t right) {
  const uint64_t gap = left > right ? left - right : right - left;
  if (gap == 0 || (options.ignoreTwoSeconds && gap <= kTwoSeconds)) return 0;
  return left > right ? 1 : -1;
}

void SelectBoth(const CompareEntry& left, const CompareEntry& right, CompareOutcome& outcome) {
  outcome.leftSelected.push_back(left.name);
  outcome.rightSelected.push_back(right.name);
}

void AppendCount(Text& out, int count, const char16_t* what) {
  if (count == 0) return;
  out += out.empty() || out.back() == u' ' ? u"" : u", ";
  for (char c : std::to_string(count)) out += static_cast<char16_t>(c);
  out += u' ';
  out += what;
}

Text SideText(const char16_t* side, const CompareSideCounts& counts) {
  Text parts;
  AppendCount(parts, counts.newer, u"newer");
  AppendCount(parts, counts.onlyHere, u"only here");
  AppendCount(parts, counts.different, u"different");
  if (parts.empty()) return {};
  return Text(side) + u": " + parts + u". ";
}

}  // namespace

std::vector<CompareEntry> CompareEntriesOf(const ItemList& list) {
  std::vector<CompareEntry> entries;
  entries.reserve(list.items.size());
  for (const PanelItem* item : list.items) {
    if (IsUpEntry(*item)) continue;
    entries.push_back({Text(LastComponent(ItemName(*item))), IsFolder(*item), item->size, item->writeTime});
  }
  return entries;
}

std::vector<ComparedPair> PairByName(const std::vector<CompareEntry>& left, const std::vector<CompareEntry>& right) {
  std::unordered_map<Text, int> rightByName;
  rightByName.reserve(right.size());
  for (int i = 0; i < static_cast<int>(right.size()); ++i) rightByName.emplace(NameKey(right[i].name), i);
  std::vector<ComparedPair> pairs;
  pairs.reserve(left.size() + right.size());
  std::vector<bool> paired(right.size(), false);
  for (int i = 0; i < static_cast<int>(left.size()); ++i) {
    const auto found = rightByName.find(NameKey(left[i].name));
    const int match = found == rightByName.end() || paired[found->second] ? -1 : found->second;
    if (match >= 0) paired[match] = true;
    pairs.push_back({i, match});
  }
  for (int i = 0; i < static_cast<int>(right.size()); ++i)
    if (!paired[i]) pairs.push_back({-1, i});
  return pairs;
}

bool NeedsContent(const CompareOptions& options, const CompareEntry* left, const CompareEntry* right) {
  return options.byContent && left && right && !left->folder && !right->folder && left->size == right->size;
}

void DecidePair(const CompareOptions& options, const CompareEntry* left, const CompareEntry* right,
                ContentVerdict content, CompareOutcome& outcome) {
  if (!right) {
    outcome.leftSelected.push_back(left->name);
    ++outcome.left.onlyHere;
    return;
  }
  if (!left) {
    outcome.rightSelected.push_back(right->name);
    ++outcome.right.onlyHere;
    return;
  }
  if (left->folder || right->folder) {
    if (left->folder && right->folder) return;  // one level deep: a folder on both sides is no difference
    SelectBoth(*left, *right, outcome);
    ++outcome.left.onlyHere;
    ++outcome.right.onlyHere;
    return;
  }
  if (content == ContentVerdict::Equal) {
    ++outcome.identical;
    return;
  }
  const int order = TimeOrder(options, left->writeTime, right->writeTime);
  const bool sameBytes = content == ContentVerdict::NotRead && left->size == right->size;
  if (order == 0 && sameBytes) {
    ++outcome.identical;
  } else if (order > 0) {
    outcome.leftSelected.push_back(left->name);
    ++outcome.left.newer;
  } else if (order < 0) {
    outcome.rightSelected.push_back(right->name);
    ++outcome.right.newer;
  } else {
    SelectBoth(*left, *right, outcome);
    ++outcome.left.different;
    ++outcome.right.different;
  }
}

CompareOutcome CompareEntryLists(const CompareOptions& options, const std::vector<CompareEntry>& left,
                                 const std::vector<CompareEntry>& right,
                                 const std::function<ContentVerdict(const CompareEntry&, const CompareEntry&)>& readContent) {
  CompareOutcome outcome;
  for (const ComparedPair& pair : PairByName(left, right)) {
    const CompareEntry* l = pair.left >= 0 ? &left[pair.left] : nullptr;
    const CompareEntry* r = pair.right >= 0 ? &right[pair.right] : nullptr;
    const ContentVerdict content = NeedsContent(options, l, r) ? readContent(*l, *r) : ContentVerdict::NotRead;
    DecidePair(options, l, r, content, outcome);
  }
  return outcome;
}

Text CompareMessage(const CompareOutcome& outcome) {
  if (outcome.leftSelected.empty() && outcome.rightSelected.empty()) return u"The folders hold the same files.";
  Text text = SideText(u"Left", outcome.left) + SideText(u"Right", outcome.right);
  if (outcome.identical) {
    for (char c : std::to_string(outcome.identical)) text += static_cast<char16_t>(c);
    text += u" identical.";
  }
  while (!text.empty() && text.back() == u' ') text.pop_back();
  return text;
}

void SelectNamed(Panel& panel, ItemList& list, const std::vector<Text>& names) {
  std::unordered_map<Text, bool> wanted;
  for (const Text& name : names) wanted.emplace(NameKey(name), true);
  for (PanelItem* item : list.items) {
    if (IsUpEntry(*item)) continue;
    SelectItem(panel, *item, wanted.count(NameKey(LastComponent(ItemName(*item)))) ? 1 : 0);
  }
}

}  // namespace nrv
