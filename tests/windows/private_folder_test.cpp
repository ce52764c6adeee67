// The process's private folder for copies, against Wine's real file system and processes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/private_folder.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;

// A process that stays until it is ended: cmd.exe, created suspended.
struct ChildProcess {
  PROCESS_INFORMATION info{};
  ChildProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    wchar_t command[] = L"cmd.exe /c exit";
    EXPECT_TRUE(::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                                 nullptr, nullptr, &startup, &info));
  }
  // The handle stays open, so the number is not given to another process.
  void End() {
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, 10000);
  }
  ~ChildProcess() {
    End();
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  }
};

fs::path Left(const test::TempFolder& parent, DWORD pid) {
  const fs::path folder = parent.MakeFolder("Norvane-" + std::to_string(pid));
  fs::create_directories(folder / "3" / "deep");
  std::ofstream(folder / "3" / "deep" / "old.txt") << "stale";
  ::SetFileAttributesW((folder / "3" / "deep" / "old.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  return folder;
}

TEST(PrivateFolder, MadeFreshAtStartLeftOversOfEndedProcessesGoAndThoseOfRunningOnesStay) {
  test::TempFolder parent;
  ChildProcess running, ended;
  ended.End();
  const fs::path ours = Left(parent, ::GetCurrentProcessId());
  const fs::path crashed = Left(parent, ended.info.dwProcessId);
  const fs::path alive = Left(parent, running.info.dwProcessId);
  const fs::path notOurs = parent.MakeFolder("Norvane-settings");
  const fs::path tooLong = parent.MakeFolder("Norvane-99999999999");
  parent.MakeFile("Norvane-12");  // a file, not a folder of ours

  ASSERT_TRUE(platform::OpenPrivateFolder(parent.Path().u16string()));
  EXPECT_EQ(fs::path(platform::PrivateFolder()), ours / "");
  EXPECT_TRUE(fs::is_empty(ours)) << "an earlier process of the same number left nothing to open";
  EXPECT_FALSE(fs::exists(crashed));
  EXPECT_TRUE(fs::exists(alive / "3" / "deep" / "old.txt"));
  EXPECT_TRUE(fs::exists(notOurs));
  EXPECT_TRUE(fs::exists(tooLong));
  EXPECT_TRUE(fs::exists(parent.Path() / "Norvane-12"));

  // Every copy has a folder no earlier copy used; removing one copy takes only its folder.
  const Text first = platform::NewPrivateSubfolder();
  const Text second = platform::NewPrivateSubfolder();
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).parent_path().parent_path(), ours);
  fs::create_directories(fs::path(first) / "in");
  std::ofstream(fs::path(first) / "a.txt") << "a";
  fs::create_directories(fs::path(second));
  std::ofstream(fs::path(second) / "a.txt") << "b";
  platform::RemovePrivateCopy((fs::path(first) / "a.txt").u16string());
  EXPECT_FALSE(fs::exists(fs::path(first)));
  EXPECT_TRUE(fs::exists(fs::path(second) / "a.txt"));
  const fs::path outside = parent.MakeFile("keep.txt");
  platform::RemovePrivateCopy(outside.u16string());
  platform::RemovePrivateCopy((alive / "3" / "deep" / "old.txt").u16string());
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_TRUE(fs::exists(alive / "3" / "deep" / "old.txt"));

  ::SetFileAttributesW((fs::path(second) / "a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  platform::ClosePrivateFolder();
  EXPECT_FALSE(fs::exists(ours));
  EXPECT_TRUE(platform::PrivateFolder().empty());
  EXPECT_TRUE(platform::NewPrivateSubfolder().empty()) << "no copy without the folder";
  ::SetFileAttributesW((alive / "3" / "deep" / "old.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace nrv
