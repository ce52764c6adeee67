// The editor's load and save through the platform's rich-edit control: files come back byte
// for byte whatever their line ends, final break or byte-order mark, every ANSI byte survives
// the code page, and a read-only target is only written after Yes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/settings.h"
#include "editor/editor_document_win32.h"
#include "platform/message_box.h"
#include "support/temp_folder.h"

namespace nrv {
namespace {

platform::MessageAnswer answer = platform::MessageAnswer::No;
std::vector<Text> captions;

platform::MessageAnswer Answer(const platform::MessageRequest& request) {
  captions.push_back(request.caption);
  return answer;
}

HWND searchSlot = nullptr;
void Nothing() {}
void NothingWith(TextView) {}

class EditorControl : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::SetMessageHook(Answer);
    captions.clear();
    answer = platform::MessageAnswer::No;
    settings_.EditorSavePosition = 0;
    frame_ = ::CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    ConfirmClose();
    ::DestroyWindow(frame_);
    platform::SetMessageHook(previous_);
  }

  std::filesystem::path Write(const char* name, const std::string& bytes) {
    const auto path = folder_.Path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  int Open(const std::filesystem::path& path) {
    EditorHost host;
    host.frame = frame_;
    host.settings = &settings_;
    host.searchDialog = &searchSlot;
    host.enter = Nothing;
    host.leave = NothingWith;
    const Text name(reinterpret_cast<const char16_t*>(path.wstring().c_str()));
    return OpenEditor(host, name, name);
  }
  // Opens, saves unchanged, closes; the bytes on disk afterwards.
  std::string SavedUnchanged(const char* name, const std::string& bytes) {
    const auto path = Write(name, bytes);
    EXPECT_EQ(Open(path), 0);
    EXPECT_EQ(Save(false), 0);
    EXPECT_EQ(ConfirmClose(), 0);
    return Read(path);
  }

  test::TempFolder folder_;
  Settings settings_;
  HWND frame_ = nullptr;
  platform::MessageHook previous_ = nullptr;
};

TEST_F(EditorControl, UnchangedFilesComeBackByteForByte) {
  for (const std::string& bytes :
       {std::string("crlf\r\nlines\r\n"), std::string("no final break\r\nhere"), std::string("unix\nlines\n\n"),
        std::string("old\rmac\r"), std::string("\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n"),
        std::string("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xCE\xB1\xCE\xB2\r\n\xE6\xBC\xA2"),
        std::string("\xFF\xFE\x41\x00\x0D\x00\x0A\x00\x16\x04", 10),
        [] {  // CR LF pairs straddle the control's requests for text
          std::string lines;
          for (int i = 0; i < 1000; ++i) lines += "baanaanaa\r\n";
          return lines;
        }(),
        std::string("a\0 \0b\0 \0c\0\r\0\n\0d\0 \0e\0 \0f\0\r\0\n\0 \0g\0\r\0\n\0", 36), std::string("")}) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(SavedUnchanged("same.txt", bytes), bytes);
  }
  EXPECT_TRUE(captions.empty());
}

TEST_F(EditorControl, EveryAnsiByteSurvivesTheCodePage) {
  std::string bytes;
  for (int b = 0x20; b < 0x100; ++b) bytes.push_back(static_cast<char>(b));
  bytes += "\r\n";
  EXPECT_EQ(SavedUnchanged("ansi.txt", bytes), bytes);
}

TEST_F(EditorControl, ReadOnlyTargetOnlyAfterYesAndStaysReadOnly) {
  const auto path = Write("ro.txt", "old\r\n");
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ(Open(path), 0);
  ::SendMessageW(TheEditorDocument().control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"new "));
  EXPECT_EQ(Save(false), -1);
  EXPECT_EQ(Read(path), "old\r\n");
  answer = platform::MessageAnswer::Yes;
  EXPECT_EQ(Save(false), 0);
  EXPECT_EQ(Read(path), "new old\r\n");
  EXPECT_EQ(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_EQ(captions, (std::vector<Text>{u"Read only file", u"Read only file"}));
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Only what is on disk and in the folder: no temporary file was left.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

}  // namespace
}  // namespace nrv
