// The editor's load and save through the platform's rich-edit control: files come back byte
// for byte whatever their line ends, final break or byte-order mark, every ANSI byte survives
// the code page, and a read-only target is only written after Yes.
#include <gtest/gtest.h>
#include <windows.h>

#include <richedit.h>

#include <algorithm>
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
  // The bytes 1252 leaves without a character, alone between words and in a row.
  const std::string unmapped = "a\x81" "b\x8D" "c\x8F" "d\x90" "e\x9D" "f\x81\x8D\x8F\x90\x9D\r\n";
  EXPECT_EQ(SavedUnchanged("unmapped.txt", unmapped), unmapped);
  // Control bytes make a binary file; loaded as text after Yes they come back too.
  answer = platform::MessageAnswer::Yes;
  std::string control;
  for (int b = 1; b < 0x20; ++b) control += std::string("x") + static_cast<char>(b);
  EXPECT_EQ(SavedUnchanged("control.bin", control), control);
}

// The first 8 KB choose; the rest of the file settles: a broken UTF-8 sequence anywhere makes
// the whole file ANSI, a first non-ASCII character far in makes it UTF-8.
TEST_F(EditorControl, InvalidUtf8AnywhereComesBackByteForByte) {
  const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 ";
  std::string utf8;
  while (utf8.size() < 12 * 1024) utf8 += cyrillic + "line\r\n";
  for (size_t at : {size_t{10 * 1024}, utf8.size() / 2 + 1, utf8.size() - 2}) {
    for (const char* broken : {"\xFF", "\xC0\xAF", "\xED\xA0\x80", "\x80\x80", "\xE6\xBC"}) {
      std::string bytes = utf8;
      bytes.insert(at, broken);
      SCOPED_TRACE(testing::Message() << at << " " << testing::PrintToString(broken));
      EXPECT_EQ(SavedUnchanged("broken.txt", bytes), bytes);
    }
  }
  // Cut short as the file's very last bytes, with and without a byte-order mark.
  for (const std::string& bytes : {utf8 + "\xD0", "\xEF\xBB\xBF" + utf8 + "\xE6\xBC", "\xEF\xBB\xBF" + utf8 + "\xFE"}) {
    EXPECT_EQ(SavedUnchanged("cut.txt", bytes), bytes);
  }
  std::string late(9000, 'a');
  late += "\r\n\xE6\xBC\xA2\r\n";
  const auto path = Write("late.txt", late);
  ASSERT_EQ(Open(path), 0);
  EXPECT_EQ(TheEditorDocument().encoding.format, EditorFormat::Utf8);
  wchar_t shown[8]{};
  TEXTRANGEW range{{9001, 9002}, shown};
  ::SendMessageW(TheEditorDocument().control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(std::wstring(shown), L"\x6F22");
  EXPECT_EQ(Save(false), 0);
  EXPECT_EQ(Read(path), late);
  EXPECT_TRUE(captions.empty());
}

TEST_F(EditorControl, Utf16KeepsAnOddLastByteAndLoneSurrogates) {
  const std::string text("a\0 \0b\0 \0c\0\r\0\n\0d\0 \0e\0 \0f\0\r\0\n\0 \0g\0\r\0\n\0", 36);
  for (const std::string& bytes :
       {text + "Z", "\xFF\xFE" + text + std::string("\0", 1), "\xFF\xFE" + text + "\x3D\xD8" "h\0",
        "\xFF\xFE" + text + "\x00\xDCi\0\x3D\xD8", "\xFF\xFE\x00\xDC" + text + "\x3D\xD8\x3D\xD8\x00\xDE\xC1"}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    EXPECT_EQ(SavedUnchanged("odd.txt", bytes), bytes);
  }
  // A typed letter at the end goes before the kept byte.
  const auto path = Write("typed.txt", std::string("\xFF\xFE" "a\0" "\x7F", 5));
  ASSERT_EQ(Open(path), 0);
  const int end = ::GetWindowTextLengthW(TheEditorDocument().control);
  ::SendMessageW(TheEditorDocument().control, EM_SETSEL, end, end);
  ::SendMessageW(TheEditorDocument().control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"b"));
  EXPECT_EQ(Save(false), 0);
  EXPECT_EQ(Read(path), std::string("\xFF\xFE" "a\0" "b\0" "\x7F", 7));
}

// Each line keeps its own break, also around lines the user changed.
TEST_F(EditorControl, MixedLineEndsStayAsTheyWere) {
  for (const std::string& bytes : {std::string("a\nb\r\nc\rd"), std::string("cr lf\r\nlf\ncr\rcr lf\r\n\n\r\r\n"),
                                  std::string("two\r\r\nthree\r\r\r\nend\n")}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    EXPECT_EQ(SavedUnchanged("mixed.txt", bytes), bytes);
  }
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += "line " + std::to_string(i) + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r\n" : "\r");
  EXPECT_EQ(SavedUnchanged("many.txt", lines), lines);
  // A letter typed on line 2 and a line put in before line 3001 touch nothing else.
  const auto path = Write("edited.txt", lines);
  ASSERT_EQ(Open(path), 0);
  HWND control = TheEditorDocument().control;
  const LRESULT second = ::SendMessageW(control, EM_LINEINDEX, 1, 0);
  ::SendMessageW(control, EM_SETSEL, second, second);
  ::SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
  const LRESULT late = ::SendMessageW(control, EM_LINEINDEX, 3000 - 1, 0);
  ::SendMessageW(control, EM_SETSEL, late, late);
  ::SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"new\r"));
  EXPECT_EQ(Save(false), 0);
  std::string expected = lines;
  expected.insert(expected.find("line 1\r\n"), "x");
  expected.insert(expected.find("line 2999"), "new\r\n");  // a new break is the one of the line before
  const std::string saved = Read(path);
  const size_t differs = std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end()).first - saved.begin();
  EXPECT_EQ(saved.substr(differs > 20 ? differs - 20 : 0, 60), expected.substr(differs > 20 ? differs - 20 : 0, 60));
  EXPECT_EQ(saved.size(), expected.size());
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
