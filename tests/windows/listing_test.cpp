#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "config/settings.h"
#include "core/listing.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;

// What a bare FindFirstFileW/FindNextFileW loop sees, "." left out.
std::vector<Text> RawListing(const std::filesystem::path& folder) {
  std::vector<Text> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder / L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    Text name(reinterpret_cast<const char16_t*>(data.cFileName));
    if (name != u".") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

class WineListing : public ::testing::Test {
 protected:
  void SetUp() override { TheSettings() = Settings{}; }
  test::TempFolder folder;
  Panel panel;
  ItemList list;
};

TEST_F(WineListing, DriveRootHasNoUpEntry) {
  panel.path = u"C:\\";
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_FALSE(IsEmpty(list));
  for (const PanelItem* item : list.items) EXPECT_FALSE(IsDotName(ItemName(*item)));
}

TEST_F(WineListing, EmptySubfolderListsExactlyTheUpEntry) {
  panel.path = folder.MakeFolder("empty").u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  ASSERT_EQ(Names(list), std::vector<Text>{u".."});
  EXPECT_EQ(At(list, 0).size, kUpEntrySize);
  EXPECT_TRUE(IsFolder(At(list, 0)));
}

TEST_F(WineListing, UnsortedKeepsTheFileSystemOrder) {
  for (const char* name : {"zeta.txt", "Alpha", "mid.doc", "beta"}) folder.MakeFile(name, 3);
  folder.MakeFolder("Folder");
  panel.path = folder.Path().u16string();
  panel.sortMode = kSortUnsorted;
  ASSERT_EQ(ReadFolder(panel, list), 0);
  EXPECT_EQ(Names(list), RawListing(folder.Path()));
  ComputeTotals(list, panel);
  EXPECT_EQ(panel.fileCount, 4);
  EXPECT_EQ(panel.folderCount, 1);
  EXPECT_EQ(panel.totalBytes, 12);
  EXPECT_GT(panel.freeBytes, 0);  // the prefix lives on a real disk
}

TEST_F(WineListing, NamesOutsideTheAnsiCodePageAndLongNamesComeBackExactly) {
  const std::wstring cyrillic = L"\x0414\x0430\x043D\x043D\x044B\x0435.txt";
  const std::wstring cjk = L"\x6587\x4EF6.doc";
  const std::wstring longName = std::wstring(250, L'L') + L".long";
  for (const auto& name : {cyrillic, cjk, longName}) folder.MakeFile(name, 1);
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, list), 0);
  const auto names = Names(list);
  for (const auto& name : {cyrillic, cjk, longName})
    EXPECT_NE(std::find(names.begin(), names.end(), Text(name.begin(), name.end())), names.end());
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
  EXPECT_GT(taken[0].text.size(), prefix.size());  // Wine's own description follows
  EXPECT_EQ(taken[0].caption, u"Norvane 1.0.0");
  EXPECT_NE(taken[1].text.find(file + u"\"\n\nError "), Text::npos);
}

}  // namespace
}  // namespace nrv
