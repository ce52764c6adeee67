#pragma once
// The entries of a panel's drive and location menu, as data.
#include <cstdint>
#include <vector>

#include "core/drive_table.h"
#include "core/panel.h"

namespace nrv {

inline constexpr uint32_t kLocationTemporaryPanel = 3921;
inline constexpr uint32_t kLocationDesktop = 3900;
inline constexpr uint32_t kLocationDocuments = 3901;
inline constexpr uint32_t kLocationPictures = 3902;
inline constexpr uint32_t kLocationMusic = 3903;
inline constexpr uint32_t kLocationVideo = 3904;
inline constexpr uint32_t kLocationBrowse = 3910;
inline constexpr uint32_t kLocationOpenUrl = 3911;
inline constexpr uint32_t kLocationFirstRecent = 3600;
inline constexpr uint32_t kLocationEmpty = 3701;
inline constexpr uint32_t kLocationFirstDrive = 3001;

struct LocationEntry {
  enum class Kind { Item, Separator, RecentSubmenu };
  Kind kind = Kind::Item;
  Text text;
  uint32_t command = 0;
  bool checked = false;
  bool disabled = false;
  Text iconPath;  // the folder or drive whose shell icon the entry shows
  std::vector<LocationEntry> children;
};

// Drive text: "C: Fixed \t label \t free/total", without the sizes when the total is 0.
Text DriveEntryText(const DriveInfo& row);

// specialFolders: desktop, documents, pictures, music, video (empty when unresolved);
// recent: the recent-locations list, oldest first.
std::vector<LocationEntry> LocationMenuModel(const Panel& panel, const DriveTable& drives,
                                             const std::vector<Text>& specialFolders,
                                             const std::vector<Text>& recent);

// The recent location a command of the submenu stands for, or empty.
Text RecentLocationOfCommand(uint32_t command, const std::vector<Text>& recent);

}  // namespace nrv
