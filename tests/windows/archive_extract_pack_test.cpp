// Extraction and packing through the real 7z.dll behind the progress window: what arrives where,
// what the error log says, and that no partial or replaced archive is left in a wrong state.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "archive/add_command_win32.h"
#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_item_list.h"
#include "archive/archive_open_win32.h"
#include "archive/archive_dialog_ids.h"
#include "archive/extract_command_win32.h"
#include "config/dialog_ids.h"
#include "core/panel.h"
#include "core/panel_item.h"
#include "support/archive_data.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;

using test::ProgramFolder;

fs::path Data() { return test::ArchiveData(); }

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

// Acts on a dialog of the test's thread the first time it shows with its caption, from inside
// whatever modal loop runs then (the progress window's, the password question's).
class WhenShown {
 public:
  WhenShown(const wchar_t* caption, std::function<void(HWND)> action) : caption_(caption), action_(std::move(action)) {
    all_.push_back(this);
    if (all_.size() == 1) timer_ = ::SetTimer(nullptr, 0, 50, &Tick);
  }
  ~WhenShown() {
    std::erase(all_, this);
    if (all_.empty()) ::KillTimer(nullptr, timer_);
  }
  WhenShown(const WhenShown&) = delete;
  WhenShown& operator=(const WhenShown&) = delete;
  bool Ran() const { return ran_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    for (WhenShown* when : std::vector<WhenShown*>(all_)) {
      const HWND dialog = ::FindWindowW(L"#32770", when->caption_);
      if (when->ran_ || !dialog || !::IsWindowVisible(dialog)) continue;
      when->ran_ = true;
      when->action_(dialog);
    }
  }
  static inline std::vector<WhenShown*> all_;
  static inline UINT_PTR timer_ = 0;
  const wchar_t* caption_;
  std::function<void(HWND)> action_;
  bool ran_ = false;
};

// The temporary files extraction left in folder: there must be none.
std::vector<fs::path> Leftovers(const fs::path& folder) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.path().filename().wstring().starts_with(L".nrv-")) found.push_back(entry.path());
  return found;
}

// Extracts one item of the archive panel to out, the password question answered with
// password, Cancel pressed meanwhile when cancel is set; the temporary files in out while the
// question showed.
std::vector<fs::path> ExtractEncrypted(Panel& panel, const Text& name, const fs::path& out, const wchar_t* password,
                                       bool cancel = false) {
  std::vector<fs::path> during;
  const WhenShown question(L"Request of the password", [&](HWND dialog) {
    during = Leftovers(out);
    if (cancel) ::SendMessageW(::GetWindow(dialog, GW_OWNER), WM_CLOSE, 0, 0);
    ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, password);
    test::Click(dialog, IDOK);
  });
  EXPECT_EQ(ExtractDroppedItems(panel, {name}, out.u16string()), 0);
  EXPECT_TRUE(question.Ran());
  return during;
}

TEST_F(ArchiveExtractPack, NamesWindowsRefusesAreLoggedAndSkippedTheOthersArrive) {
  test::MessageCapture yes(platform::MessageAnswer::Yes);
  const fs::path out = folder.Path() / "out";
  std::wstring log;
  const WhenShown viewer(L"Log viewer", [&log](HWND dialog) {
    log = test::TextOf(::GetDlgItem(dialog, IDC_LOG_TEXT));
    test::Click(dialog, IDOK);
  });
  Panel panel = InArchive(Data() / "hostile.zip", u"", kFormatZip);
  ASSERT_EQ(ExtractDroppedItems(panel, {u"good1.txt", u"what?.txt", u"sub", u"ads.txt:stream", u"aux", u"trail.",
                                        u"long", u"good2.txt"},
                                out.u16string()),
            0);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"6 errors detected during Extracting. Show log?"});
  ASSERT_TRUE(viewer.Ran());
  // Nothing is made for the others, not even their folders.
  std::vector<fs::path> made;
  for (const auto& entry : fs::recursive_directory_iterator(out)) made.push_back(fs::relative(entry.path(), out));
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, (std::vector<fs::path>{"good1.txt", "good2.txt"}));
  EXPECT_EQ(Bytes(out / "good2.txt"), "good2.txt\n");
  for (const wchar_t* named : {L"1. Cannot open output file: what?.txt (name holds a character Windows forbids) \tError: 123",
                               L"2. Cannot open output file: sub\\CON.txt (name is a device name) \tError: 123",
                               L"3. Cannot open output file: ads.txt:stream (name holds a character Windows forbids)",
                               L"4. Cannot open output file: aux\\x.txt (name is a device name)",
                               L"5. Cannot open output file: trail.\\y.txt (name ends in a dot or blank)",
                               L"\tError: 206\r\n"})
    EXPECT_NE(log.find(named), std::wstring::npos) << named << L" in\n" << log;
}

TEST_F(ArchiveExtractPack, AWrongPasswordOrDamageLeavesTheFileItWouldReplaceAsItWas) {
  test::MessageCapture no(platform::MessageAnswer::No);
  const fs::path out = folder.Path() / "out";
  Write(out / "f000.txt", "mine");
  Write(out / "bad.txt", "mine too");
  Panel locked = InArchive(Data() / "encrypted.zip", u"", kFormatZip);
  // The item's own temporary file is there while the password is asked, the target untouched.
  EXPECT_EQ(ExtractEncrypted(locked, u"f000.txt", out, L"wrong").size(), 1u);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Extracting. Show log?"});
  EXPECT_EQ(Bytes(out / "f000.txt"), "mine");
  EXPECT_TRUE(Leftovers(out).empty());
  ExtractEncrypted(locked, u"f000.txt", out, L"secret");
  EXPECT_EQ(Bytes(out / "f000.txt"), "000\n");

  // A CRC error keeps the old bad.txt; the good item beside it arrives.
  Panel damaged = InArchive(Data() / "damaged.7z", u"");
  ASSERT_EQ(ExtractDroppedItems(damaged, {u"bad.txt", u"good.txt"}, out.u16string()), 0);
  EXPECT_EQ(Bytes(out / "bad.txt"), "mine too");
  EXPECT_EQ(Bytes(out / "good.txt"), std::string(4096, 'G'));
  EXPECT_TRUE(Leftovers(out).empty());
  EXPECT_EQ(Questions(messages).size(), 2u);
}

TEST_F(ArchiveExtractPack, CancelWhileAnItemIsWrittenLeavesTheFileItWouldReplace) {
  test::MessageCapture yes(platform::MessageAnswer::Yes);  // "Abort operation?"
  const fs::path out = folder.Path() / "out";
  Write(out / "big.bin", "mine");
  Panel panel = InArchive(Data() / "encrypted.zip", u"", kFormatZip);
  // Cancel is pressed while the password is asked: the item's temporary file is open then,
  // and the library's next progress report after the answer ends the operation.
  EXPECT_EQ(ExtractEncrypted(panel, u"big.bin", out, L"secret", true).size(), 1u);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"Abort operation?"});
  EXPECT_EQ(Bytes(out / "big.bin"), "mine");
  EXPECT_TRUE(Leftovers(out).empty());
}

// A file system of 64 KiB that ctest mounts for these tests (tests/windows/small_disk.sh).
fs::path SmallDisk() {
  const fs::path disk = ProgramFolder() / "small-disk";
  ULARGE_INTEGER total{};
  if (!::GetDiskFreeSpaceExW(disk.c_str(), nullptr, &total, nullptr) || total.QuadPart > (1u << 20)) return {};
  return disk;
}

TEST_F(ArchiveExtractPack, AFullDiskKeepsTheFileItWouldReplaceAndWhatWasDoneBefore) {
  const fs::path disk = SmallDisk();
  if (disk.empty()) GTEST_SKIP() << "no small file system mounted at " << (ProgramFolder() / "small-disk");
  for (const auto& entry : fs::directory_iterator(disk)) fs::remove_all(entry.path());
  Write(disk / "big.bin", "mine");
  Panel panel = InArchive(Data() / "big.7z", u"");
  ASSERT_EQ(ExtractDroppedItems(panel, {u"a.bin", u"big.bin"}, disk.u16string()), 0);
  EXPECT_EQ(Questions(messages), std::vector<Text>{u"1 errors detected during Extracting. Show log?"});
  EXPECT_EQ(Bytes(disk / "big.bin"), "mine");
  EXPECT_EQ(Bytes(disk / "a.bin"), "first\n");
  EXPECT_TRUE(Leftovers(disk).empty());
  for (const auto& entry : fs::directory_iterator(disk)) fs::remove_all(entry.path());
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
