// Archives made by 7zz opened through the real 7z.dll, and the file streams it reads through.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_navigation.h"
#include "archive/archive_open_win32.h"
#include "archive/file_helpers_win32.h"
#include "archive/property_variant_win32.h"
#include "core/listing.h"
#include "archive/string_conversion_win32.h"
#include "core/settings.h"
#include "shell/application.h"
#include "platform/private_folder.h"
#include "platform/win32/wide.h"
#include "support/archive_data.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

using test::Names;
using NameList = std::vector<Text>;

using test::ProgramFolder;

Text Data(const char* name) { return (test::ArchiveData() / name).u16string(); }

class WineArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static HMODULE library = ::LoadLibraryW((ProgramFolder() / "7z.dll").c_str());
    SetArchiveLibrary(library);
    ASSERT_TRUE(platform::OpenPrivateFolder());  // where a gzip's inner tar goes
  }
  static void TearDownTestSuite() { platform::ClosePrivateFolder(); }
  void SetUp() override {
    ASSERT_NE(ArchiveLibrary(), nullptr) << "7z.dll beside the test program";
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(Data("listing.7z")))) << "run the archive_data test first";
    TheSettings() = Settings{};
    TheSettings().PanelAutoUpdatePanels = 0;
    panel.side = kLeftPanel;
    panel.sortMode = kSortName;
    panel.archiveItems = &archive;
  }
  void TearDown() override { FreeArchiveItems(archive); }

  int Read(const char* name, int32_t format, PasswordQuestion ask = nullptr) {
    return ReadArchiveItems(Data(name), format, ask, archive);
  }
  NameList Visible() {
    EXPECT_EQ(RebuildArchiveList(panel, visible), 0);
    return Names(visible);
  }

  ArchiveItemList archive;
  Panel panel;
  ItemList visible;
  test::MessageCapture messages;
};

NameList RootNames() {
  NameList names{u"..", u"A", u"docs"};
  for (int i = 0; i < 200; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.txt", i);
    names.push_back(Ascii(name));
  }
  return names;
}

TEST_F(WineArchive, A7zAndAZipListTheirItemsWithImpliedFoldersAndOneFolderForAAndA) {
  for (const auto& [name, format] : {std::pair{"listing.7z", kFormat7z}, std::pair{"listing.zip", kFormatZip}}) {
    SCOPED_TRACE(name);
    PanelItem* item = NewItem(Ascii(name));
    std::filesystem::current_path(ProgramFolder() / "archive-data");
    EXPECT_EQ(TestArchiveFile(*item).format, format);
    FreeItem(item);
    ASSERT_EQ(Read(name, format), 0);
    const ArchiveItemList& all = archive;
    EXPECT_EQ(Count(all), 203);
    const ArchiveItem* readme = nullptr;
    for (const ArchiveItem& item : all.items)
      if (ItemName(all, item) == u"docs\\readme.txt") readme = &item;
    ASSERT_NE(readme, nullptr) << "the library gives backslashes";
    EXPECT_EQ(readme->size, 8);
    EXPECT_EQ(readme->writeTime, 134117966450000000ull);  // 2026-01-02 03:04:05 UTC
    panel.archiveFolder.clear();
    EXPECT_EQ(Visible(), RootNames());
    ASSERT_EQ(EnterArchiveFolder(panel, visible, u"docs"), 0);
    EXPECT_EQ(Names(visible), (NameList{u"..", u"readme.txt"}));
    ASSERT_EQ(ArchiveUp(panel, visible), 0);
    EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"docs");
    ASSERT_EQ(EnterArchiveFolder(panel, visible, u"A"), 0);
    EXPECT_EQ(Names(visible), (NameList{u"..", u"x", u"y"}));
    FreeArchiveItems(archive);
  }
  EXPECT_TRUE(messages.Taken().empty());
}

TEST_F(WineArchive, EnteringFromThePanelAndLeavingPutsTheCursorOnTheArchiveFile) {
  panel.path = (ProgramFolder() / "archive-data").u16string();
  panel.findName = u"listing.7z";
  panel.archiveOpen = 1;
  panel.archiveFormat = kFormat7z;
  panel.cursor = 5;
  ASSERT_EQ(EnterArchive(panel, visible, nullptr), 0);
  EXPECT_EQ(Names(visible), RootNames());
  EXPECT_EQ(panel.cursor, 0);
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(panel.archiveOpen, 0);
  EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"listing.7z");
}

TEST_F(WineArchive, BrokenArchivesGiveTheirMessagesAndNoItems) {
  EXPECT_EQ(Read("truncated.7z", kFormat7z), kArchiveContentError);
  EXPECT_EQ(Read("garbage.zip", kFormatZip), kArchiveContentError);
  EXPECT_EQ(Read("missing.7z", kFormat7z), kArchiveFileError);
  EXPECT_EQ(Read("listing.7z", kFormatLzh), kArchiveNoObject);
  EXPECT_EQ(Count(archive), 0);
  const auto shown = messages.Taken();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, u"Error reading archive content: " + Data("truncated.7z"));
  EXPECT_EQ(shown[1].text, u"Error reading archive content: " + Data("garbage.zip"));
  EXPECT_EQ(shown[2].text, u"Cannot open archive file: " + Data("missing.7z"));
  EXPECT_EQ(shown[3].text, u"Unknown archive format");
  for (const auto& message : shown) {
    EXPECT_EQ(message.caption, u"Norvane 1.0.0");
    EXPECT_EQ(message.icon, platform::MessageIcon::Error);
  }
}

TEST_F(WineArchive, WithoutTheLibraryEveryOpeningEndsWithCannotGetCreateObject) {
  const HMODULE library = ArchiveLibrary();
  SetArchiveLibrary(nullptr);
  EXPECT_EQ(Read("listing.7z", kFormat7z), kArchiveNoObject);
  SetArchiveLibrary(library);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"Cannot get CreateObject");
}

TEST_F(WineArchive, AFailedEnteringLeavesThePanelOnItsFolder) {
  panel.path = (ProgramFolder() / "archive-data").u16string();
  panel.findName = u"truncated.7z";
  panel.archiveOpen = 1;
  panel.archiveFormat = kFormat7z;
  Append(visible, NewItem(u"kept"));
  EXPECT_EQ(EnterArchive(panel, visible, nullptr), kArchiveContentError);
  EXPECT_EQ(panel.archiveOpen, 0);
  EXPECT_EQ(Names(visible), NameList{u"kept"});
  EXPECT_EQ(MultiByteToUnicodeString(AString("plain")).Std(), u"plain");
}

int questions = 0;

TEST_F(WineArchive, EncryptedNamesAskForThePasswordOnceAndCancelFailsTheOpening) {
  questions = 0;
  EXPECT_EQ(Read("names-encrypted.7z", kFormat7z, [](Text&) { return ++questions, false; }), kArchiveContentError);
  EXPECT_EQ(questions, 1);
  ASSERT_EQ(messages.Taken().size(), 1u);
  EXPECT_EQ(messages.Taken()[0].text, u"Error reading archive content: " + Data("names-encrypted.7z"));
  questions = 0;
  ASSERT_EQ(Read("names-encrypted.7z", kFormat7z, [](Text& password) {
              password = u"secret";
              return ++questions, true;
            }),
            0);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(Visible(), (NameList{u"..", u"A", u"docs"}));
}

TEST_F(WineArchive, CompressedTarsAreBrowsedThroughTheirInnerTar) {
  PanelItem* tgz = NewItem(u"data.tgz");
  std::filesystem::current_path(ProgramFolder() / "archive-data");
  EXPECT_EQ(TestArchiveFile(*tgz).format, kFormatGZip);
  FreeItem(tgz);
  test::TempFolder temp;
  for (const auto& [name, format] : {std::pair{"data.tar.gz", kFormatTarGz}, std::pair{"data.tar.bz2", kFormatBZip2}}) {
    SCOPED_TRACE(name);
    ArchiveOpenResult result;
    ASSERT_EQ(OpenArchiveForPanel(Data(name), format, temp.Path().u16string() + u"\\", nullptr, result), 0);
    EXPECT_EQ(result.format, kFormatTar);
    EXPECT_EQ(result.workPath, temp.Path().u16string() + u"\\data.tar");
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(result.workPath)));
    ASSERT_EQ(Count(result.items), 2);
    EXPECT_EQ(ItemName(result.items, result.items.items[0]), u"docs\\readme.txt");
    EXPECT_EQ(ItemName(result.items, result.items.items[1]), u"A\\x");
  }
  EXPECT_TRUE(messages.Taken().empty());
}

int udfQuestions = 0;
bool answerUdf = false;
bool CountedUdfQuestion() { return ++udfQuestions, answerUdf; }

TEST_F(WineArchive, EnterOnAFileEntersOnlyWhatIsBrowsedAndAFailedEnteringKeepsTheFolder) {
  test::TempFolder folder;
  for (const char* name : {"listing.7z", "Report.DOCX", "data.tgz", "truncated.7z", "image.iso"})
    std::filesystem::copy_file(std::filesystem::path(Data(name)), folder.Path() / name);
  panel.path = folder.Path().u16string();
  ASSERT_EQ(ReadFolder(panel, visible), 0);
  const NameList folderNames = Names(visible);
  const auto enter = [&](TextView name) {
    panel.cursor = IndexOfName(visible, name);
    return OpenArchiveItem(panel, visible, panel.cursor, nullptr, &CountedUdfQuestion);
  };

  EXPECT_EQ(enter(u"Report.DOCX"), kNotAnArchive) << "a zip of a document is run";
  EXPECT_EQ(enter(u"data.tgz"), kNotAnArchive) << "gzip without tar in its name";
  EXPECT_TRUE(messages.Taken().empty());

  ASSERT_EQ(enter(u"listing.7z"), 0);
  EXPECT_EQ(KindOf(panel), LocationKind::Archive);
  EXPECT_EQ(panel.archiveFormat, kFormat7z);
  EXPECT_EQ(Names(visible), RootNames());
  EXPECT_EQ(panel.fileCount, 200);
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  EXPECT_EQ(Names(visible), folderNames);
  EXPECT_EQ(ItemName(At(visible, panel.cursor)), u"listing.7z");

  EXPECT_EQ(enter(u"truncated.7z"), -1);
  EXPECT_EQ(KindOf(panel), LocationKind::Local);
  EXPECT_EQ(panel.archiveFormat, 0);
  EXPECT_EQ(Names(visible), folderNames);

  // The image question comes every time: No opens ISO 9660, Yes UDF, which this image lacks.
  udfQuestions = 0;
  answerUdf = false;
  ASSERT_EQ(enter(u"image.iso"), 0);
  EXPECT_EQ(panel.archiveFormat, kFormatIso);
  EXPECT_EQ(Names(visible), (NameList{u"..", u"A", u"docs"}));
  ASSERT_EQ(ArchiveUp(panel, visible), 0);
  answerUdf = true;
  EXPECT_EQ(enter(u"image.iso"), -1);
  EXPECT_EQ(udfQuestions, 2);

  // Deleted after it was listed: the test reports it, and the file is run (which fails too).
  std::filesystem::remove(folder.Path() / "listing.7z");
  EXPECT_EQ(enter(u"listing.7z"), kNotAnArchive);
  const auto shown = messages.Taken();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, u"Error reading archive content: " + panel.path + u"\\truncated.7z");
  EXPECT_EQ(shown[1].text, u"Error reading archive content: " + panel.path + u"\\image.iso");
  EXPECT_EQ(shown[2].text.substr(0, 40), u"Check Arc: Cannot open file \"listing.7z\"");
  EXPECT_EQ(shown[2].caption, u"Norvane 1.0.0");
}

TEST(WineArchiveStreams, ReadsAndWritesGoInBlocksOfAtMost4MiBAndBadOriginsAreRefused) {
  test::TempFolder folder;
  const Text path = folder.MakeFile("big.bin", 10 << 20).u16string();
  auto* in = new CInFileStream;
  ComPtr<IInStream> inRef(in);
  in->AddRef();
  ASSERT_TRUE(in->Open(path));
  std::vector<char> buffer(10 << 20);
  UINT32 processed = 0;
  EXPECT_EQ(in->Read(buffer.data(), 10 << 20, &processed), S_OK);
  EXPECT_EQ(processed, kMaxStreamBlock);
  UINT64 position = 7;
  EXPECT_EQ(in->Seek(0, 3, &position), static_cast<HRESULT>(0x80030001));
  EXPECT_EQ(position, 7u);
  EXPECT_EQ(in->Seek(0, 1, &position), S_OK);
  EXPECT_EQ(position, kMaxStreamBlock) << "the refused seek moved nothing";
  EXPECT_EQ(in->Seek(-10, 2, &position), S_OK);
  EXPECT_EQ(position, (10u << 20) - 10);
  UINT64 size = 0;
  IStreamGetSize* sizer = nullptr;
  ASSERT_EQ(in->QueryInterface(IID_IStreamGetSize, reinterpret_cast<void**>(&sizer)), S_OK);
  EXPECT_EQ(sizer->GetSize(&size), S_OK);
  sizer->Release();
  EXPECT_EQ(size, 10u << 20);
  void* none = nullptr;
  EXPECT_EQ(in->QueryInterface(IID_IOutStream, &none), E_NOINTERFACE);
  EXPECT_FALSE(CInFileStream().Open(folder.Path().u16string() + u"\\missing"));
  in->CloseFile();  // it lets others read only

  auto* out = new COutFileStream;
  ComPtr<IOutStream> outRef(out);
  out->AddRef();
  EXPECT_FALSE(out->Create(path, OutFileCreation::NewOnly)) << "new files only for archives";
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  ASSERT_TRUE(out->Create(path, OutFileCreation::ReplaceExisting));
  EXPECT_EQ(out->Write(buffer.data(), 10 << 20, &processed), S_OK);
  EXPECT_EQ(processed, kMaxStreamBlock);
  EXPECT_EQ(out->Write(buffer.data(), 100, nullptr), S_OK);
  EXPECT_EQ(out->Written(), kMaxStreamBlock + 100);
  EXPECT_EQ(out->SetSize(10), S_OK);
  EXPECT_EQ(out->Seek(0, 1, &position), S_OK);
  EXPECT_EQ(position, kMaxStreamBlock + 100) << "SetSize goes back where it was";
  EXPECT_EQ(out->Seek(0, 5, nullptr), static_cast<HRESULT>(0x80030001));
  out->CloseFile();
  EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(path)), 10u);
  EXPECT_EQ(ErrorToHResult(ERROR_ACCESS_DENIED), static_cast<HRESULT>(0x80070005));
  EXPECT_EQ(ErrorToHResult(0), E_FAIL);
}

TEST(WineArchiveFiles, FolderChainsReadOnlyDeletesAndFindData) {
  test::TempFolder folder;
  const Text root = folder.Path().u16string();
  EXPECT_TRUE(CreateFolderChain(root + u"\\one\\two\\three\\"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "one" / "two" / "three"));
  EXPECT_TRUE(CreateFolderChain(root + u"\\one"));  // already there
  const Text file = folder.MakeFile("taken", 5).u16string();
  EXPECT_FALSE(CreateFolderChain(file));
  EXPECT_FALSE(CreateFolderChain(u"Q:\\nowhere\\deeper"));

  platform::FindData data;
  ASSERT_TRUE(FindFileData(file, data));
  EXPECT_EQ(data.name, u"taken");
  EXPECT_EQ(data.sizeLow, 5u);
  EXPECT_FALSE(FindFileData(root + u"\\missing", data));

  ::SetFileAttributesW(platform::Wide(file), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(DeleteFileAlways(file));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(file)));
  EXPECT_FALSE(DeleteFileAlways(file));
}

TEST(WineArchiveProperties, VariantsAsText) {
  PropVariantHolder value;
  Text text = u"old";
  EXPECT_EQ(PropertyToText(value.value, text), 0);
  EXPECT_EQ(text, u"");
  SetPropertyText(value.value, u"docs\\a.txt");
  EXPECT_EQ(PropertyToText(value.value, text), 0);
  EXPECT_EQ(text, u"docs\\a.txt");
  SetPropertyBool(value.value, true);
  EXPECT_EQ(value.value.boolVal, VARIANT_TRUE);
  EXPECT_EQ(PropertyToText(value.value, text), 0);
  EXPECT_EQ(text, u"+");
  SetPropertyUInt64(value.value, 5ull << 30);
  EXPECT_EQ(PropertyToText(value.value, text), 0);
  EXPECT_EQ(text, u"5368709120");
  SetPropertyFileTime(value.value, 134117966450000000ull);
  EXPECT_EQ(PropertyToText(value.value, text), 0);
  EXPECT_EQ(text, u"2026-01-02 03:04:05");
  value.Out()->vt = VT_R8;
  text = u"kept";
  EXPECT_EQ(PropertyToText(value.value, text), kUnsupportedPropertyType);
  EXPECT_EQ(text, u"kept");
}

}  // namespace
}  // namespace nrv
