#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "config/settings.h"
#include "core/listing.h"
#include "panel/navigation.h"
#include "platform/registry.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

// Makes link a junction (mount point) to target, as mklink /J does.
bool MakeJunction(const std::filesystem::path& link, const std::filesystem::path& target) {
  if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
  HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + target.wstring();
  const std::wstring print = target.wstring();
  const WORD substituteBytes = static_cast<WORD>(substitute.size() * 2);
  const WORD printBytes = static_cast<WORD>(print.size() * 2);
  std::vector<unsigned char> buffer(8 + 8 + substituteBytes + 2 + printBytes + 2);
  auto put16 = [&](size_t at, WORD value) { std::memcpy(&buffer[at], &value, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  put16(4, static_cast<WORD>(buffer.size() - 8));
  put16(8, 0);
  put16(10, substituteBytes);
  put16(12, static_cast<WORD>(substituteBytes + 2));
  put16(14, printBytes);
  std::memcpy(&buffer[16], substitute.data(), substituteBytes);
  std::memcpy(&buffer[16 + substituteBytes + 2], print.data(), printBytes);
  DWORD returned = 0;
  const BOOL made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  CloseHandle(handle);
  return made != FALSE;
}

class WineNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    panel.sortMode = kSortName;
  }
  int IndexOf(TextView name) {
    for (int i = 0; i < Count(list); ++i)
      if (ItemName(At(list, i)) == name) return i;
    return -1;
  }
  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(WineNavigation, UpAndDownThroughRealFolders) {
  folder.MakeFolder("Data/Sub");
  panel.path = (folder.Path() / "Data" / "Sub").u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, (folder.Path() / "Data").u16string());
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"Sub");

  panel.path = u"C:\\windows";
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, u"C:\\");
  EXPECT_EQ(ItemName(At(list, panel.cursor)), u"windows");
  EXPECT_EQ(GoToParent(panel, list), -1);  // a drive root has no up entry
}

TEST_F(WineNavigation, JunctionToAnotherFolderListsItsTarget) {
  const auto target = folder.MakeFolder("target/inner");
  folder.MakeFile("target/inner/seen.txt", 1);
  if (!MakeJunction(folder.Path() / "link", target))
    GTEST_SKIP() << "this Wine cannot create mount points (error " << GetLastError() << ")";
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  const int index = IndexOf(u"link");
  ASSERT_GE(index, 0);
  ASSERT_TRUE(At(list, index).attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_EQ(At(list, index).reparseTag, IO_REPARSE_TAG_MOUNT_POINT);
  panel.cursor = index;
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(panel.path, target.u16string());
  EXPECT_GE(IndexOf(u"seen.txt"), 0);
  ASSERT_EQ(GoToParent(panel, list), 0);
  EXPECT_EQ(panel.path, (folder.Path() / "target").u16string());
}

TEST_F(WineNavigation, FileChainsAndTheTemporaryPanelOnTheRealDisk) {
  Panel other;
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_EQ(OpenTemporaryPanel(panel, list, other), 0);
  Append(list, NewItem((folder.Path() / "kept.txt").u16string()));
  panel.cursor = 0;
  ASSERT_EQ(EnterItem(panel, list), 0);
  EXPECT_EQ(panel.temporary, 0);
  ASSERT_EQ(OpenTemporaryPanel(panel, list, other), 0);
  EXPECT_EQ(Count(list), 2);
  ClearItems(TheTemporaryStore());
}

}  // namespace
}  // namespace nrv
