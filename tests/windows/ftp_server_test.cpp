// The FTP layer through Wine's WinINet against a real server on 127.0.0.1, which ctest starts
// before this program and stops after it (ftp_fixture.py): its folder comes in
// NORVANE_FTP_FIXTURE, its root is that folder's "home", seen here through drive Z:.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "core/listing.h"
#include "fileops/file_operation.h"
#include "ftp/ftp_jobs.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/ftp_transfer_win32.h"
#include "ftp/remote_read_win32.h"
#include "ftp/transfer_blocks.h"
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

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The program's questions answered by their first words, in the order given; every message
// is kept. A question with no answer left, or none given, gets No.
class Answers {
 public:
  explicit Answers(std::vector<std::pair<Text, platform::MessageAnswer>> script) {
    const std::lock_guard lock(mutex_);
    script_ = std::move(script);
    taken_.clear();
    previous_ = platform::SetMessageHook(&Answer);
  }
  ~Answers() { platform::SetMessageHook(previous_); }
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  std::vector<Text> Taken() const {
    const std::lock_guard lock(mutex_);
    return taken_;
  }
  // The texts that start with prefix.
  std::vector<Text> Starting(TextView prefix) const {
    std::vector<Text> found;
    for (const Text& text : Taken())
      if (text.rfind(prefix, 0) == 0) found.push_back(text);
    return found;
  }

 private:
  static platform::MessageAnswer Answer(const platform::MessageRequest& request) {
    const std::lock_guard lock(mutex_);
    taken_.push_back(request.text);
    for (auto it = script_.begin(); it != script_.end(); ++it)
      if (request.text.rfind(it->first, 0) == 0) {
        const platform::MessageAnswer answer = it->second;
        script_.erase(it);
        return answer;
      }
    return request.buttons == platform::MessageButtons::Ok ? platform::MessageAnswer::Ok : platform::MessageAnswer::No;
  }

  static inline std::mutex mutex_;
  static inline std::vector<std::pair<Text, platform::MessageAnswer>> script_;
  static inline std::vector<Text> taken_;
  platform::MessageHook previous_ = nullptr;
};

// What the transfer reported of its blocks.
struct Block {
  uint32_t size;
  uint32_t moved;
  uint64_t microseconds;
};

// Each block follows from the ones before by the rule, and the sizes seen.
std::vector<uint32_t> CheckRule(const std::vector<Block>& blocks) {
  std::vector<uint32_t> sizes;
  BlockPace pace;
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_EQ(blocks[i].size, pace.size) << i;
    AfterBlock(pace, blocks[i].moved, blocks[i].microseconds);
    if (std::find(sizes.begin(), sizes.end(), blocks[i].size) == sizes.end()) sizes.push_back(blocks[i].size);
  }
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

bool Shrank(const std::vector<Block>& blocks) {
  for (size_t i = 1; i < blocks.size(); ++i)
    if (blocks[i].size < blocks[i - 1].size) return true;
  return false;
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

  ASSERT_EQ(OpenFtp(panel, list, LoginOf(session)), 0);
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

  ASSERT_EQ(OpenFtp(panel, list, LoginOf(session)), 0);
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
  EXPECT_EQ(OpenFtp(panel, list, LoginOf(session)), -1);
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
  ASSERT_EQ(OpenFtp(panel, list, LoginOf(session)), 0);

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

// A read on a worker while the server sits on its listing: cut at any point it ends at once,
// gives nothing back and leaves the panel as it was; left alone it arrives whole and hands its
// connection back with the folder the server named.
TEST_F(FtpAgainstServer, AReadOnAWorkerIsCutWhereverItWaitsAndOtherwiseHandsItsConnectionBack) {
  fs::create_directories(home / "slow listing 30");
  fs::create_directories(home / "slow listing 1");
  Write(home / "slow listing 1" / "late.txt", "late\n");
  test::MessageCapture messages;
  ASSERT_EQ(OpenFtp(panel, list, LoginOf(session)), 0);
  const std::vector<Text> shown = Names(list);

  for (const int cutAfterMs : {0, 5, 40, 150, 400}) {
    LocationRead read = RemoteFolderRead(panel, LoginOf(session), u"slow listing 30", false);
    EXPECT_EQ(session.connection.Get(), nullptr) << "the connection goes with the read";
    auto exchange = std::make_shared<ReadExchange>();
    Worker worker;
    ASSERT_TRUE(StartWorker(worker, [&read, exchange](const StopFlag& stop) { read.run(*exchange, stop); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(cutAfterMs));
    const auto cut = std::chrono::steady_clock::now();
    RequestStop(worker);
    read.cut();
    JoinWorker(worker);
    const auto took = std::chrono::steady_clock::now() - cut;
    EXPECT_LT(took, std::chrono::seconds(2)) << "cut after " << cutAfterMs << " ms";
    EXPECT_EQ(Names(list), shown);
    // What a dropped read holds goes with it; the next read connects anew.
    read = {};
    exchange.reset();
    EXPECT_EQ(session.connection.Get(), nullptr);
  }

  LocationRead read = RemoteFolderRead(panel, LoginOf(session), u"slow listing 1", false);
  ReadExchange exchange;
  Worker worker;
  ASSERT_TRUE(StartWorker(worker, [&read, &exchange](const StopFlag& stop) { read.run(exchange, stop); }));
  JoinWorker(worker);
  ASSERT_EQ(exchange.status, 0) << ToUtf8(exchange.errorText);
  EXPECT_EQ(Names(exchange.items), (std::vector<Text>{u"..", u"late.txt"}));
  ASSERT_TRUE(exchange.adopt);
  exchange.adopt(panel, true);
  EXPECT_NE(session.connection.Get(), nullptr);
  EXPECT_EQ(panel.ftpCurrentDir, root + u"/slow listing 1");
  EXPECT_TRUE(messages.Taken().empty()) << ToUtf8(messages.Taken().front().text);
}

FtpJob RemoteJob(const Text& root, const Text& name, int64_t size = 0) {
  return {RemoteJoin(root, name), name, FILE_ATTRIBUTE_ARCHIVE, size};
}

FtpJob LocalJob(const fs::path& file) {
  const Text name = file.filename().u16string();
  return {file.u16string(), name, FILE_ATTRIBUTE_ARCHIVE, static_cast<int64_t>(fs::file_size(file))};
}

TEST_F(FtpAgainstServer, BlocksGrowOnAFastStretchShrinkOnASlowOneAndTheBytesStayTheSame) {
  // This user's server sends a second's worth at full speed, then sleeps: blocks double while
  // it sends and halve after one that waited through a sleep.
  session.login = u"slow";
  const std::string down = RandomBytes(3 * 1024 * 1024 + 5);
  Write(home / "down.bin", down);
  ASSERT_TRUE(Connect(panel));
  Answers answers({});
  std::vector<Block> blocks;
  FtpTransferProbe probe;
  probe.blockDone = [&](uint32_t size, uint32_t moved, uint64_t us) { blocks.push_back({size, moved, us}); };
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationCopy, kDirectionDownload, panel.path,
                       {RemoteJob(root, u"down.bin")}, &probe),
            0);
  EXPECT_TRUE(Contents(local.Path() / "down.bin") == down);
  // Every size from the smallest up (a loaded machine may stop short of the largest), then down.
  const std::vector<uint32_t> seen = CheckRule(blocks);
  EXPECT_GE(seen.size(), 4u);
  EXPECT_EQ(seen.front(), kSmallestBlock);
  EXPECT_TRUE(Shrank(blocks));

  // Uploads take the same rule; the server reading slowly fills the socket's buffers first.
  const std::string up = RandomBytes(3 * 1024 * 1024 + 11);
  Write(local.Path() / "up.bin", up);
  blocks.clear();
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationCopy, kDirectionUpload, root,
                       {LocalJob(local.Path() / "up.bin")}, &probe),
            0);
  EXPECT_TRUE(Contents(home / "up.bin") == up);
  const std::vector<uint32_t> sizes = CheckRule(blocks);
  EXPECT_GT(sizes.back(), kSmallestBlock);
  EXPECT_TRUE(answers.Taken().empty()) << ToUtf8(answers.Taken().front());
}

TEST_F(FtpAgainstServer, CancelInTheMiddleOfABlockLeavesTheTargetAsItWasAndTheSourceInPlace) {
  session.login = u"slow";
  const std::string remote = RandomBytes(3 * 1024 * 1024);
  Write(home / "same.bin", remote);
  Write(local.Path() / "same.bin", "the old local file");
  const std::string upload = RandomBytes(3 * 1024 * 1024 + 1);
  fs::create_directories(local.Path() / "out");
  Write(local.Path() / "out" / "up.bin", upload);
  Write(home / "up.bin", "the old remote file");
  ASSERT_TRUE(Connect(panel));

  for (const uint32_t direction : {kDirectionDownload, kDirectionUpload}) {
    const bool down = direction == kDirectionDownload;
    Answers answers({{u"File ", platform::MessageAnswer::Yes}, {u"Abort operation?", platform::MessageAnswer::Yes}});
    std::atomic<int> done{0};
    std::atomic<int> afterCancel{-1};
    FtpTransferProbe probe;
    const auto press = [&] {
      afterCancel = 0;
      probe.cancel = true;
    };
    probe.blockDone = [&](uint32_t, uint32_t, uint64_t) {
      ++done;
      if (probe.cancel) ++afterCancel;
      // The socket's buffers take an upload's first megabytes at once: its blocks end before
      // another thread could press in the middle of one, so Cancel comes just after one.
      if (!down && done == 2) press();
    };
    // A download's Cancel comes from another thread while the third block is on its way.
    std::thread user([&] {
      if (!down) return;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (done < 2 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
      press();
    });
    const std::vector<FtpJob> jobs{down ? RemoteJob(root, u"same.bin") : LocalJob(local.Path() / "out" / "up.bin")};
    EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationMove, direction, down ? panel.path : root, jobs, &probe), 0);
    user.join();
    EXPECT_LE(afterCancel.load(), 1) << "the question waits for the block under way only";
    EXPECT_EQ(answers.Starting(u"Abort operation?").size(), 1u);
    // Nothing replaced, nothing half-written left, the move's source kept.
    EXPECT_EQ(Contents(local.Path() / "same.bin"), "the old local file");
    EXPECT_EQ(FilesIn(local.Path()), (std::vector<std::string>{"out", "same.bin"}));
    EXPECT_EQ(Contents(local.Path() / "out" / "up.bin"), upload);
    EXPECT_TRUE(Contents(home / "same.bin") == remote);
    EXPECT_EQ(Contents(home / "up.bin"), "the old remote file");
    EXPECT_EQ(FilesIn(home), (std::vector<std::string>{"same.bin", "up.bin"}));
  }
}

TEST_F(FtpAgainstServer, AnExistingTargetIsOverwrittenOnlyAfterYes) {
  Write(home / "a.txt", "new a\n");
  Write(home / "b.txt", "new b\n");
  Write(local.Path() / "a.txt", "old a\n");
  Write(local.Path() / "b.txt", "old b\n");
  ASSERT_TRUE(Connect(panel));
  HINTERNET connection = session.connection.Get();
  const std::vector<FtpJob> both{RemoteJob(root, u"a.txt"), RemoteJob(root, u"b.txt")};
  {
    // No leaves this file and goes on with the next; Yes replaces it.
    Answers answers({{u"File ", platform::MessageAnswer::No}, {u"File ", platform::MessageAnswer::Yes}});
    EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionDownload, panel.path, both), 0);
    EXPECT_EQ(Contents(local.Path() / "a.txt"), "old a\n");
    EXPECT_EQ(Contents(local.Path() / "b.txt"), "new b\n");
    const Text target = (local.Path() / "a.txt").u16string();
    EXPECT_EQ(answers.Taken(), (std::vector<Text>{u"File " + target + u" already exist. Overwrite it?",
                                                  u"File " + (local.Path() / "b.txt").u16string() +
                                                      u" already exist. Overwrite it?"}));
  }
  {
    // Cancel ends the whole transfer at the first.
    Write(local.Path() / "b.txt", "old b\n");
    Answers answers({{u"File ", platform::MessageAnswer::Cancel}});
    EXPECT_EQ(RunFtpJobs(connection, kOperationMove, kDirectionDownload, panel.path, both), 0);
    EXPECT_EQ(Contents(local.Path() / "a.txt"), "old a\n");
    EXPECT_EQ(Contents(local.Path() / "b.txt"), "old b\n");
    EXPECT_EQ(answers.Taken().size(), 1u);
    EXPECT_EQ(FilesIn(home), (std::vector<std::string>{"a.txt", "b.txt"}));
  }
  {
    // Uploads ask about the server's file the same way.
    Answers answers({{u"File " + root + u"/a.txt", platform::MessageAnswer::No}});
    EXPECT_EQ(RunFtpJobs(connection, kOperationCopy, kDirectionUpload, root, {LocalJob(local.Path() / "a.txt")}), 0);
    EXPECT_EQ(Contents(home / "a.txt"), "new a\n");
  }
  {
    Answers answers({{u"File " + root + u"/a.txt", platform::MessageAnswer::Yes}});
    EXPECT_EQ(RunFtpJobs(connection, kOperationMove, kDirectionUpload, root, {LocalJob(local.Path() / "a.txt")}), 0);
    EXPECT_EQ(Contents(home / "a.txt"), "old a\n");
    EXPECT_FALSE(fs::exists(local.Path() / "a.txt"));
    EXPECT_EQ(FilesIn(home), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(answers.Taken().size(), 1u);
  }
}

TEST_F(FtpAgainstServer, AMoveDeletesItsSourceOnlyWhenTheServerKeptTheWholeFile) {
  // This user's server answers every finished upload with 552 and drops the file; the library
  // closes the file without a word about it.
  session.login = u"full";
  const std::string bytes = RandomBytes(200 * 1024 + 1);
  Write(local.Path() / "keep.bin", bytes);
  Write(home / "down.bin", bytes);
  ASSERT_TRUE(Connect(panel));
  Answers answers({});
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationMove, kDirectionUpload, root,
                       {LocalJob(local.Path() / "keep.bin")}),
            1);
  EXPECT_TRUE(Contents(local.Path() / "keep.bin") == bytes);
  EXPECT_EQ(FilesIn(home), (std::vector<std::string>{"down.bin"}));
  // The server kept half of it (what fitted on its disk).
  EXPECT_EQ(answers.Taken(),
            std::vector<Text>{u"The server did not keep " + root + u"/keep.bin: 102400 of 204801 bytes arrived"});

  // A download the server gives whole is moved: the copy has the size the server gave.
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationMove, kDirectionDownload, panel.path,
                       {RemoteJob(root, u"down.bin")}),
            0);
  EXPECT_TRUE(Contents(local.Path() / "down.bin") == bytes);
  EXPECT_EQ(FilesIn(home), std::vector<std::string>{});
  EXPECT_EQ(answers.Taken().size(), 1u);
}

TEST_F(FtpAgainstServer, ADownloadOntoAFullDiskLeavesTheOldFileAndNothingElse) {
  const fs::path full = FixtureFolder() / "full";
  if (!fs::exists(FixtureFolder() / "full-mounted")) GTEST_SKIP() << "the fixture mounts the full disk as root only";
  for (const auto& entry : fs::directory_iterator(full)) fs::remove_all(entry.path());
  Write(full / "same.bin", "the old file");
  const std::string remote = RandomBytes(1024 * 1024);
  Write(home / "same.bin", remote);
  ASSERT_TRUE(Connect(panel));
  Answers answers({{u"File ", platform::MessageAnswer::Yes}});
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationMove, kDirectionDownload, full.u16string(),
                       {RemoteJob(root, u"same.bin")}),
            1);
  EXPECT_EQ(Contents(full / "same.bin"), "the old file");
  EXPECT_EQ(FilesIn(full), std::vector<std::string>{"same.bin"});
  EXPECT_TRUE(Contents(home / "same.bin") == remote);
  const std::vector<Text> reports = answers.Starting(u"WriteFile");
  ASSERT_EQ(reports.size(), 1u) << ToUtf8(answers.Taken().back());
  // Wine's WriteFile reports a short write without an error: the report says what it means.
  EXPECT_NE(reports[0].find(u"Error 112"), Text::npos) << ToUtf8(reports[0]);  // ERROR_DISK_FULL
}

TEST_F(FtpAgainstServer, AServersNameThatIsNotOneFileNameIsSkippedAndTheRestArrive) {
  // Legal names on the server's disk; none of them may decide where a file lands here.
  Write(home / "..\\escape.txt", "out\n");
  Write(home / "sub\\deep.txt", "deep\n");
  Write(home / "NUL.txt", "device\n");
  Write(home / "good.txt", "good\n");
  fs::create_directories(local.Path() / "in");
  ASSERT_TRUE(Connect(panel));
  Answers answers({});
  EXPECT_EQ(RunFtpJobs(session.connection.Get(), kOperationCopy, kDirectionDownload, (local.Path() / "in").u16string(),
                       {RemoteJob(root, u"..\\escape.txt"), RemoteJob(root, u"sub\\deep.txt"),
                        RemoteJob(root, u"NUL.txt"), RemoteJob(root, u"good.txt")}),
            3);
  EXPECT_EQ(FilesIn(local.Path()), std::vector<std::string>{"in"});
  EXPECT_EQ(FilesIn(local.Path() / "in"), std::vector<std::string>{"good.txt"});
  EXPECT_EQ(Contents(local.Path() / "in" / "good.txt"), "good\n");
  // One report for each, naming it, and no question in between.
  const std::vector<Text> taken = answers.Taken();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].rfind(u"Skipped " + root + u"/..\\escape.txt: ", 0), 0u) << ToUtf8(taken[0]);
  EXPECT_EQ(taken[1].rfind(u"Skipped " + root + u"/sub\\deep.txt: ", 0), 0u) << ToUtf8(taken[1]);
  EXPECT_EQ(taken[2].rfind(u"Skipped " + root + u"/NUL.txt: ", 0), 0u) << ToUtf8(taken[2]);
}

}  // namespace
}  // namespace nrv
