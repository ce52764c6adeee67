// Extraction and packing through the real 7z.dll behind the progress window: what arrives where,
// what the error log says, and that no partial or replaced archive is left in a wrong state.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "archive/add_command_win32.h"
#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_item_list.h"
#include "archive/archive_open_win32.h"
#include "archive/extract_command_win32.h"
#include "core/panel.h"
#include "core/panel_item.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

fs::path Data() { return ProgramFolder() / "archive-data"; }

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below root, relative, with its bytes.
std::map<fs::path, std::string> Tree(const fs::path& root) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root)] = Bytes(entry.path());
  return files;
}

std::vector<Text> Questions(const test::MessageCapture& messages) {
  std::vector<Text> texts;
  for (const auto& message : messages.Taken()) texts.push_back(message.text);
  return texts;
}

class ArchiveExtractPack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static HMODULE library = ::LoadLibraryW((ProgramFolder() / "7z.dll").c_str());
    SetArchiveLibrary(library);
  }
  void SetUp() override {
    ASSERT_NE(ArchiveLibrary(), nullptr);
    ASSERT_TRUE(fs::exists(Data() / "damaged.7z")) << "run the archive_data test first";
  }
  // A panel showing insideFolder of the archive at path.
  static Panel InArchive(const fs::path& path, Text insideFolder, int32_t format = kFormat7z) {
    Panel panel;
    panel.side = kLeftPanel;
    panel.archiveOpen = 1;
    panel.archiveFormat = format;
    panel.path = path.parent_path().u16string();
    panel.findName = path.filename().u16string();
    panel.archiveFolder = std::move(insideFolder);
    return panel;
  }

  test::TempFolder folder;
  test::MessageCapture messages;
};

TEST_F(ArchiveExtractPack, ChosenItemsArriveRelativeToTheFolderShownReplacingReadOnlyFiles) {
  const fs::path out = folder.Path() / "out";
  Write(out / "f001.txt", "old");
  ::SetFileAttributesW((out / "f001.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Panel root = InArchive(Data() / "listing.7z", u"");
  ASSERT_EQ(ExtractDroppedItems(root, {u"docs", u"f001.txt"}, out.u16string()), 0);
  const auto files = Tree(out);
  EXPECT_EQ(files.size(), 2u);
  EXPECT_EQ(files.at(fs::path("docs") / "readme.txt"), "read me\n");
  EXPECT_EQ(files.at("f001.txt"), "001\n");
  // The item's time comes along: 2026-01-02 03:04:05 UTC.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExW((out / "docs" / "readme.txt").c_str(), GetFileExInfoStandard, &data));
  SYSTEMTIME time{};
  ::FileTimeToSystemTime(&data.ftLastWriteTime, &time);
  EXPECT_EQ(time.wYear, 2026);
  EXPECT_EQ(time.wHour, 3);
  EXPECT_EQ(time.wSecond, 5);

  // From inside docs\ the file lands directly in the destination.
  const fs::path inner = folder.Path() / "inner";
  Panel docs = InArchive(Data() / "listing.7z", u"docs\\");
  ASSERT_EQ(ExtractDroppedItems(docs, {u"readme.txt"}, inner.u16string()), 0);
  EXPECT_EQ(Tree(inner).size(), 1u);
  EXPECT_EQ(Bytes(inner / "readme.txt"), "read me\n");
  EXPECT_TRUE(Questions(messages).empty());
}

TEST_F(ArchiveExtractPack, ADamagedItemIsLoggedWhileTheOthersArrive) {
  const fs::path out = folder.Path() / "out";
  Panel panel = InArchive(Data() / "damaged.7z", u"");
  ASSERT_EQ(ExtractDroppedItems(panel, {u"bad.txt", u"good.txt"}, out.u16string()), 0);
  EXPECT_EQ(Bytes(out / "good.txt"), std::string(4096, 'G'));
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Extracting. Show log?"});
}

TEST_F(ArchiveExtractPack, AnArchiveThatCannotBeOpenedIsOneLogEntry) {
  Panel panel = InArchive(Data() / "truncated.7z", u"");
  ASSERT_EQ(ExtractDroppedItems(panel, {u"x"}, (folder.Path() / "out").u16string()), 0);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Extracting. Show log?"});
}

class PackedTree : public ArchiveExtractPack {
 protected:
  void SetUp() override {
    ArchiveExtractPack::SetUp();
    std::mt19937 random(7);
    std::string noise(300000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    Write(source / "a.txt", "alpha\r\n");
    Write(source / "sub" / "b.bin", noise);
    Write(source / "sub" / "deeper" / "c.txt", "gamma");
    Write(source / u"\u0416\u0443\u043a \u00e9t\u00e9.txt", "beetle");
    fs::create_directories(source / "empty" / "nothing");
  }
  std::vector<ExtractEntry> All() const {
    return {{u"a.txt", false}, {u"sub", true}, {u"\u0416\u0443\u043a \u00e9t\u00e9.txt", false}, {u"empty", true}};
  }
  fs::path source = folder.Path() / "source";
  fs::path archives = folder.MakeFolder("archives");
};

TEST_F(PackedTree, ANewArchiveHoldsTheFilesAndGivesBackTheirBytes) {
  const fs::path archive = archives / "tree.zip";  // the name does not change the format
  ASSERT_EQ(PackEntries(source.u16string(), All(), archive.u16string(), false), 0);
  EXPECT_TRUE(Questions(messages).empty());
  PanelItem* item = NewItem(u"tree.zip");
  std::error_code ignored;
  fs::current_path(archives, ignored);
  EXPECT_EQ(TestArchiveFile(*item).format, kFormat7z);
  FreeItem(item);
  const fs::path out = folder.Path() / "back";
  Panel panel = InArchive(archive, u"");
  ASSERT_EQ(ExtractDroppedItems(panel, {u"a.txt", u"sub", u"\u0416\u0443\u043a \u00e9t\u00e9.txt", u"empty"},
                                out.u16string()),
            0);
  EXPECT_EQ(Tree(out), Tree(source));
  EXPECT_FALSE(fs::exists(out / "empty"));  // folders without files are not stored
}

TEST_F(PackedTree, OverwriteReplacesTheOldArchiveOnlyWithACompleteOne) {
  const fs::path archive = archives / "tree.7z";
  Write(archive, "old archive");
  ASSERT_EQ(PackEntries(source.u16string(), All(), archive.u16string(), true), 0);
  ArchiveItemList items;
  EXPECT_EQ(ReadArchiveItems(archive.u16string(), kFormat7z, nullptr, items), 0);
  FreeArchiveItems(items);
  EXPECT_EQ(std::distance(fs::directory_iterator(archives), fs::directory_iterator()), 1);

  // A chosen file that is gone ends the operation before anything is written: the old one stays.
  ASSERT_EQ(PackEntries(source.u16string(), {{u"gone.txt", false}}, archive.u16string(), true), 0);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Compressing. Show log?"});
  EXPECT_EQ(std::distance(fs::directory_iterator(archives), fs::directory_iterator()), 1);
  EXPECT_NE(Bytes(archive), "old archive");
}

TEST_F(PackedTree, ALockedFileIsLeftOutAndReportedTheRestIsStored) {
  const fs::path archive = archives / "tree.7z";
  HANDLE locked = ::CreateFileW((source / "sub" / "b.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  ASSERT_EQ(PackEntries(source.u16string(), All(), archive.u16string(), false), 0);
  ::CloseHandle(locked);
  // "Cannot open file: %s" while packing and "Error for file: %s" at the end.
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"2 errors detected during Compressing. Show log?"});
  const fs::path out = folder.Path() / "back";
  Panel panel = InArchive(archive, u"");
  ASSERT_EQ(ExtractDroppedItems(panel, {u"sub", u"a.txt"}, out.u16string()), 0);
  EXPECT_EQ(Bytes(out / "sub" / "deeper" / "c.txt"), "gamma");
  EXPECT_FALSE(fs::exists(out / "sub" / "b.bin"));
}

TEST_F(PackedTree, AnUnwritableTargetLeavesNoFile) {
  const fs::path archive = folder.Path() / "no-such-folder" / "tree.7z";
  ASSERT_EQ(PackEntries(source.u16string(), All(), archive.u16string(), false), 0);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Compressing. Show log?"});
  EXPECT_FALSE(fs::exists(archive));
}

}  // namespace
}  // namespace nrv
