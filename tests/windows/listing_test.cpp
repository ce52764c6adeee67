// Listing real folders on Wine's disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "core/settings.h"
#include "core/listing.h"
#include "platform/win32/wide.h"
#include "shell/application.h"
#include "support/window_driver.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

class WineListing : public ::testing::Test {
 protected:
  void SetUp() override { TheSettings() = Settings{}, TheSettings().PanelAutoUpdatePanels = 0; }
  test::TempFolder folder;
  Panel panel = test::ApplicationPanel();
  ItemList list;
};

TEST_F(WineListing, UnsortedKeepsTheFileSystemOrderAndNamesComeBackExactly) {
  // Names outside the ANSI code page and long names too.
  const std::wstring names[] = {L"zeta.txt", L"Alpha", L"mid.doc", L"\x0414\x0430\x043D\x043D\x044B\x0435.txt",
                                L"\x6587\x4EF6.doc", std::wstring(250, L'L') + L".long"};
  for (const auto& name : names) folder.MakeFile(name, 3);
  folder.MakeFolder("Folder");
  panel.path = folder.Path().u16string();
  panel.sortMode = kSortUnsorted;
  ASSERT_EQ(ReadFolder(panel, list), 0);
  std::vector<Text> raw;  // what a bare FindFirstFileW/FindNextFileW loop sees, "." left out
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileW((folder.Path() / L"*.*").c_str(), &data);
  do {
    if (std::wstring(data.cFileName) != L".") raw.push_back(platform::FromWide(data.cFileName));
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  EXPECT_EQ(Names(list), raw);
  for (const auto& name : names) EXPECT_EQ(std::count(raw.begin(), raw.end(), platform::FromWide(name.c_str())), 1);
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.fileCount, 6);
  EXPECT_EQ(panel.folderCount, 1);
  EXPECT_EQ(panel.totalBytes, 18);
  EXPECT_GT(panel.freeBytes, 0);
}

TEST_F(WineListing, TheUpEntryIsThereOnlyBelowADriveRoot) {
  panel.path = folder.MakeFolder("empty").u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  EXPECT_EQ(Names(list), std::vector<Text>{u".."});
  panel.path = u"C:\\";
  ASSERT_EQ(ReadFolder(panel, list), 0);
  EXPECT_FALSE(IsEmpty(list));
  for (const PanelItem* item : list.items) EXPECT_FALSE(IsDotName(ItemName(*item)));
}

TEST_F(WineListing, FailuresAreReportedWithTheSystemTextAndKeepTheList) {
  Append(list, NewItem(u"kept"));
  const Text missing = (folder.Path() / "missing").u16string();
  const Text file = folder.MakeFile("plain.txt", 1).u16string();
  test::MessageCapture messages;
  panel.path = missing;
  EXPECT_EQ(ReadFolder(panel, list), -1);
  panel.path = file;
  EXPECT_EQ(ReadFolder(panel, list), -1);
  EXPECT_EQ(Names(list), std::vector<Text>{u"kept"});
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 2u);
  const Text prefix = u"Error set current directory: \"" + missing + u"\"\n\nError 2: ";
  EXPECT_EQ(taken[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(taken[0].text.size(), prefix.size()) << "Wine's own description follows";
  EXPECT_EQ(taken[0].caption, u"Norvane 1.0.0");
  EXPECT_NE(taken[1].text.find(file + u"\"\n\nError "), Text::npos);
}

}  // namespace
}  // namespace nrv
