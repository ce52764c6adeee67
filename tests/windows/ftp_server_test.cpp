// The FTP layer through Wine's WinINet against a real server on 127.0.0.1, which ctest starts
// before this program and stops after it (ftp_fixture.py): its folder comes in
// NORVANE_FTP_FIXTURE, its root is that folder's "home", seen here through drive Z:.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/listing.h"
#include "fileops/file_operation.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/ftp_transfer_win32.h"
#include "platform/win32/internet_handle.h"
#include "platform/win32/wide.h"
#include "shell/application.h"
#include "support/item_names.h"
#include "support/message_capture.h"
#include "support/temp_folder.h"
#include "support/window_driver.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;
using test::Names;

// The fixture's folder as Wine sees the Unix path; empty when ctest did not start the server.
fs::path FixtureFolder() {
  const char* unix = std::getenv("NORVANE_FTP_FIXTURE");
  if (!unix || !*unix) return {};
  std::string path = std::string("Z:") + unix;
  std::replace(path.begin(), path.end(), '/', '\\');
  return fs::path(path);
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string RandomBytes(size_t size) {
  std::mt19937 random(size);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// The files in the library's URL cache, its index aside.
size_t CachedFiles() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, 0, folder))) return 0;
  size_t count = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error) && it->path().extension() != ".dat") ++count;
  return count;
}

class FtpAgainstServer : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path fixture = FixtureFolder();
    if (fixture.empty()) GTEST_SKIP() << "NORVANE_FTP_FIXTURE is not set: ctest starts the server";
    std::ifstream(fixture / "port") >> port;
    ASSERT_GT(port, 0);
    // Each test works in a folder of its own under the server's root.
    root = u"/" + Ascii(::testing::UnitTest::GetInstance()->current_test_info()->name());
    home = fixture / "home" / platform::Wide(root.substr(1));
    fs::remove_all(home);
    fs::create_directories(home);
    internet = platform::InternetHandle(::InternetOpenW(L"Norvane ", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    ASSERT_TRUE(internet.Get());
    session.internet = internet.Get();
    session.host = u"127.0.0.1";
    session.port = static_cast<uint16_t>(port);
    session.login = u"norvane";
    session.password = u"s3cret";
    session.startFolder = root;
    panel.path = local.Path().u16string();
    panel.ftpSession = &session;
  }

  int List(Text target) {
    panel.ftpTargetDir = std::move(target);
    return ListRemoteFolder(list, panel);
  }
  void CursorOn(TextView name) {
    const std::vector<Text> names = Names(list);
    panel.cursor = static_cast<int32_t>(std::find(names.begin(), names.end(), name) - names.begin());
  }
  void Select(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) {
      CursorOn(name);
      ASSERT_LT(panel.cursor, Count(list)) << ToUtf8(name);
      list.items[static_cast<size_t>(panel.cursor)]->selected = 1;
    }
    RecountSelection(list, panel);
  }
  // Drops the panel's connection on the server's side, as a server restart would.
  void DropConnections() {
    platform::InternetHandle other(::InternetConnectW(internet.Get(), L"127.0.0.1", session.port, L"norvane",
                                                      L"s3cret", INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0));
    ASSERT_TRUE(other.Get());
    ASSERT_TRUE(::FtpCommandW(other.Get(), FALSE, FTP_TRANSFER_TYPE_BINARY, L"SITE DROP", 0, nullptr));
  }

  int port = 0;
  Text root;
  fs::path home;
  test::TempFolder local;
  platform::InternetHandle internet;
  FtpSession session;
  Panel panel = test::ApplicationPanel();
  ItemList list;
};

TEST_F(FtpAgainstServer, ListsDownloadsUploadsMakesFoldersAndDeletes) {
  const std::string big = RandomBytes(300 * 1024 + 7);
  Write(home / "a small.txt", "small\n");
  Write(home / "big.bin", big);
  fs::create_directories(home / "sub folder");
  Write(home / "sub folder" / "inner.txt", "inner\n");
  test::MessageCapture messages(platform::MessageAnswer::Yes);

  ASSERT_EQ(OpenFtp(panel, list), 0);
  EXPECT_EQ(panel.ftpCurrentDir, root);  // the start folder of the connection's properties
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"sub folder", u"a small.txt", u"big.bin"}));
  ASSERT_EQ(List(u"sub folder"), 0);
  EXPECT_EQ(panel.ftpCurrentDir, root + u"/sub folder");
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"inner.txt"}));
  ASSERT_EQ(List(root), 0);

  // Download: identical bytes, whatever the block boundaries, and no copy left in the cache.
  const size_t cached = CachedFiles();
  CursorOn(u"big.bin");
  HINTERNET connection = session.connection.Get();
  EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionDownload, panel.path, BuildJobs(panel, list, true)), 0);
  EXPECT_EQ(Contents(local.Path() / "big.bin"), big);
  CursorOn(u"a small.txt");
  EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionDownload, panel.path, BuildJobs(panel, list, true)), 0);
  EXPECT_EQ(Contents(local.Path() / "a small.txt"), "small\n");
  EXPECT_EQ(CachedFiles(), cached);

  // Upload into the sub-folder, a name with a blank.
  const std::string up = RandomBytes(70 * 1024);
  Write(local.Path() / "up load.bin", up);
  const FtpJob upload{LocalJoin(panel.path, u"up load.bin"), u"up load.bin", FILE_ATTRIBUTE_ARCHIVE,
                      static_cast<int64_t>(up.size())};
  EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionUpload, root + u"/sub folder", {upload}), 0);
  EXPECT_EQ(Contents(home / "sub folder" / "up load.bin"), up);

  ASSERT_EQ(FtpMakeFolder(panel, u"made here"), 0);
  EXPECT_TRUE(fs::is_directory(home / "made here"));

  // Delete a file and an empty folder; a folder that is not empty is refused.
  ASSERT_EQ(List(u"."), 0);
  Select({u"a small.txt", u"made here"});
  EXPECT_EQ(RunFtpJobs(connection, kOperationDelete, kDirectionDownload, {}, BuildJobs(panel, list, true)), 0);
  EXPECT_FALSE(fs::exists(home / "a small.txt"));
  EXPECT_FALSE(fs::exists(home / "made here"));
  ASSERT_EQ(List(u"."), 0);
  Select({u"sub folder"});
  EXPECT_EQ(RunFtpJobs(connection, kOperationDelete, kDirectionDownload, {}, BuildJobs(panel, list, true)), 1);
  EXPECT_TRUE(fs::exists(home / "sub folder" / "inner.txt"));
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].text.rfind(u"Delete 2 items from ", 0), 0u) << ToUtf8(taken[0].text);
  EXPECT_EQ(taken[2].text.rfind(u"Failed delete directory " + root + u"/sub folder", 0), 0u) << ToUtf8(taken[2].text);
}

TEST_F(FtpAgainstServer, ActiveModeListsDownloadsAndUploads) {
  // The server refuses passive mode to this user: every data connection, the listings'
  // included, must be one the server opens to the port the client names; names keep their
  // blanks as in passive mode.
  session.passive = false;
  session.login = u"active";
  const std::string big = RandomBytes(200 * 1024 + 3);
  Write(home / "down load.bin", big);
  fs::create_directories(home / "a folder");
  Write(home / "a folder" / "inside.txt", "inside\n");
  test::MessageCapture messages;

  ASSERT_EQ(OpenFtp(panel, list), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"a folder", u"down load.bin"}));
  ASSERT_EQ(List(u"a folder"), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"inside.txt"}));
  ASSERT_EQ(List(root), 0);

  CursorOn(u"down load.bin");
  HINTERNET connection = session.connection.Get();
  EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionDownload, panel.path, BuildJobs(panel, list, true)), 0);
  EXPECT_TRUE(Contents(local.Path() / "down load.bin") == big);

  const std::string up = RandomBytes(130 * 1024 + 9);
  Write(local.Path() / "up load.bin", up);
  const FtpJob upload{LocalJoin(panel.path, u"up load.bin"), u"up load.bin", FILE_ATTRIBUTE_ARCHIVE,
                      static_cast<int64_t>(up.size())};
  EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionUpload, root + u"/a folder", {upload}), 0);
  EXPECT_TRUE(Contents(home / "a folder" / "up load.bin") == up);
  ASSERT_EQ(List(u"a folder"), 0);
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"inside.txt", u"up load.bin"}));
  const auto taken = messages.Taken();
  EXPECT_TRUE(taken.empty()) << ToUtf8(taken.front().text);
}

TEST_F(FtpAgainstServer, ARefusedLoginShowsTheServersReplyAndStaysLocal) {
  session.password = u"wrong";
  test::MessageCapture messages;
  EXPECT_EQ(OpenFtp(panel, list), -1);
  EXPECT_EQ(KindOf(panel), LocationKind::Local);
  const auto taken = messages.Taken();
  ASSERT_EQ(taken.size(), 1u);
  const Text& text = taken[0].text;
  EXPECT_EQ(text.rfind(u"Failed connect to: 127.0.0.1:" + Ascii(std::to_string(port)), 0), 0u) << ToUtf8(text);
  EXPECT_NE(text.find(u"Error 12015"), Text::npos) << ToUtf8(text);
  EXPECT_NE(text.find(u"530"), Text::npos) << ToUtf8(text);
}

TEST_F(FtpAgainstServer, ADroppedConnectionIsRestoredInTheRequestedFolder) {
  fs::create_directories(home / "next");
  Write(home / "next" / "here.txt", "here\n");
  test::MessageCapture messages;
  ASSERT_EQ(OpenFtp(panel, list), 0);

  DropConnections();
  ASSERT_EQ(List(u"next"), 0);
  EXPECT_EQ(panel.ftpCurrentDir, root + u"/next");
  EXPECT_EQ(Names(list), (std::vector<Text>{u"..", u"here.txt"}));

  // Folder creation and transfers check the connection first as well.
  DropConnections();
  ASSERT_EQ(FtpMakeFolder(panel, u"after drop"), 0);
  EXPECT_TRUE(fs::is_directory(home / "next" / "after drop"));
  DropConnections();
  ASSERT_EQ(EnsureConnection(panel), 0);
  CursorOn(u"here.txt");
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationCopy, kDirectionDownload, panel.path,
                       BuildJobs(panel, list, true)),
            0);
  EXPECT_EQ(Contents(local.Path() / "here.txt"), "here\n");
  EXPECT_TRUE(messages.Taken().empty()) << ToUtf8(messages.Taken().front().text);
}

}  // namespace
}  // namespace nrv
