#pragma once
// The panels' tabs in the registry, beside the settings record: TabsLeft and TabsRight
// (REG_MULTI_SZ, one string per tab), TabCurrentLeft and TabCurrentRight (DWORD) and the
// switch PanelAlwaysShowTabs (FLAG). They are read on their own and may be missing: settings
// saved before tabs existed still load without a message.
#include <vector>

#include "core/panel_tabs.h"
#include "core/settings.h"

namespace nrv {

inline constexpr uint32_t kRegMultiSz = 7;
// Bounds of a saved value read back: the tab limit, and the longest a saved tab can encode to.
inline constexpr size_t kMaxSavedTabCharacters = 4 * (kMaxSavedField * 3 + 16);

// Writes both panels' saved tabs and the switch; a registry error code, 0 on success.
uint32_t SaveTabValues(const SavedTabs& left, const SavedTabs& right, const Settings& settings);

// Reads one panel's tabs (side kLeftPanel or kRightPanel); false when they are missing or
// unfit, and then values is empty.
bool LoadTabValues(int32_t side, SavedTabs& saved);

// Reads the switch into the record; a missing value leaves it as it is.
void LoadTabSwitch(Settings& settings);

// Splits REG_MULTI_SZ data into its strings (at most kMaxTabsPerPanel); false when malformed.
bool SplitMultiString(TextView data, std::vector<Text>& strings);
Text JoinMultiString(const std::vector<Text>& strings);

}  // namespace nrv
