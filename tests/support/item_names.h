#pragma once
#include <vector>

#include "core/item_list.h"

namespace nrv::test {

// The names of a list in display order.
inline std::vector<Text> Names(const ItemList& list) {
  std::vector<Text> names;
  for (const PanelItem* item : list.items) names.emplace_back(ItemName(*item));
  return names;
}

}  // namespace nrv::test
