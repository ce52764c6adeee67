// Entering an archive on a worker through the real 7z.dll: stopped at any of the library's
// callbacks it ends as "stopped" and leaves nothing in the private folder; finished but never
// taken, its inner tar still goes; an encrypted archive's password is asked on the thread that
// owns the window the question was posted to, and a stop ends the wait for it as a Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "archive/archive_bridge_win32.h"
#include "archive/archive_format.h"
#include "archive/archive_read_win32.h"
#include "platform/private_folder.h"
#include "support/archive_data.h"
#include "support/item_names.h"
#include "support/message_capture.h"

namespace nrv {
namespace {

namespace fs = std::filesystem;

using test::ProgramFolder;

Text Data(const char* name) { return (test::ArchiveData() / name).u16string(); }

size_t PrivateEntries() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(fs::path(platform::PrivateFolder())))
    ++count;
  return count;
}

class WineArchiveRead : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static HMODULE library = ::LoadLibraryW((ProgramFolder() / "7z.dll").c_str());
    SetArchiveLibrary(library);
    ASSERT_TRUE(platform::OpenPrivateFolder());
  }
  static void TearDownTestSuite() { platform::ClosePrivateFolder(); }
  void SetUp() override {
    ASSERT_NE(ArchiveLibrary(), nullptr) << "7z.dll beside the test program";
    ASSERT_TRUE(fs::exists(fs::path(Data("many.tar.gz")))) << "run the archive_data test first";
    ASSERT_EQ(PrivateEntries(), 0u);
  }
  test::MessageCapture messages;
};

// 12,000 items in 12 folders and zeros.bin.
constexpr int kManyItems = 12001;

TEST_F(WineArchiveRead, StoppedAtAnyCallbackEndsStoppedAndLeavesNothing) {
  std::atomic<int> checks{0};
  ArchiveReadControl control;
  control.checkpoint = [&] { ++checks; };
  ArchiveOpenResult whole;
  ASSERT_EQ(OpenArchiveQuietly(Data("many.tar.gz"), kFormatTarGz, ArchiveTempFolder(), nullptr, control, whole),
            kArchiveOpened);
  EXPECT_EQ(Count(whole.items), kManyItems);
  EXPECT_TRUE(fs::exists(fs::path(whole.workPath)));
  platform::RemovePrivateCopy(whole.workPath);
  const int total = checks.load();
  // Decompressing, opening the tar and walking its items each look at the flag many times.
  ASSERT_GT(total, 20);

  std::mt19937 random(25);
  std::vector<int> points{1, 2, total / 2, total};
  for (int i = 0; i < 12; ++i) points.push_back(std::uniform_int_distribution<int>(1, total)(random));
  for (const int point : points) {
    SCOPED_TRACE(point);
    StopFlag stop;
    std::atomic<int> seen{0};
    std::atomic<int32_t> count{0};
    ArchiveReadControl stopping{&stop, &count, [&] {
                                  if (++seen == point) stop.requested = true;
                                }};
    ArchiveOpenResult result;
    EXPECT_EQ(OpenArchiveQuietly(Data("many.tar.gz"), kFormatTarGz, ArchiveTempFolder(), nullptr, stopping, result),
              kArchiveStopped);
    EXPECT_TRUE(result.workPath.empty());
    EXPECT_TRUE(result.errorText.empty());
    EXPECT_EQ(Count(result.items), 0);
    EXPECT_EQ(PrivateEntries(), 0u);
    EXPECT_LE(seen.load(), point + 3) << "the read went on after the flag";
  }
  EXPECT_TRUE(messages.Taken().empty());
}

TEST_F(WineArchiveRead, AReadOnAWorkerStopsWithin100Milliseconds) {
  ArchiveReadJob job;
  job.path = Data("many.tar.gz");
  job.name = u"many.tar.gz";
  job.format = kFormatTarGz;
  std::mt19937 random(7);
  std::vector<double> stops;
  for (int round = 0; round < 7; ++round) {
    job.tempFolder = ArchiveTempFolder();
    ReadExchange exchange;
    Worker worker;
    ASSERT_TRUE(StartWorker(worker, [&](const StopFlag& stop) { RunArchiveRead(job, exchange, stop); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 150)(random)));
    const auto stopped = std::chrono::steady_clock::now();
    RequestStop(worker);
    JoinWorker(worker);
    stops.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - stopped).count());
    ClearItems(exchange.items);
    exchange.adopt = nullptr;  // a read that ended before the stop lets go of its inner tar here
    EXPECT_EQ(PrivateEntries(), 0u) << "round " << round;
  }
  // The typical stop, not the worst: a loaded machine now and then holds a thread that long.
  std::sort(stops.begin(), stops.end());
  EXPECT_LT(stops[stops.size() / 2], 100.0);
  std::printf("stops of an archive read: median %.1f ms, longest %.1f ms\n", stops[stops.size() / 2], stops.back());
}

TEST_F(WineArchiveRead, AFinishedReadNeverTakenRemovesItsInnerTar) {
  ArchiveReadJob job;
  job.path = Data("many.tar.gz");
  job.name = u"many.tar.gz";
  job.format = kFormatTarGz;
  job.tempFolder = ArchiveTempFolder();
  StopFlag stop;
  {
    ReadExchange exchange;
    RunArchiveRead(job, exchange, stop);
    EXPECT_EQ(exchange.status, 0);
    EXPECT_EQ(exchange.count.load(), kManyItems);
    EXPECT_EQ(test::Names(exchange.items), (std::vector<Text>{u"..", u"d00", u"d01", u"d02", u"d03", u"d04", u"d05",
                                                              u"d06", u"d07", u"d08", u"d09", u"d10", u"d11",
                                                              u"zeros.bin"}));
    EXPECT_GT(PrivateEntries(), 0u) << "the inner tar while the read is held";
    ClearItems(exchange.items);
  }
  EXPECT_EQ(PrivateEntries(), 0u);

  // Taken by a panel, the inner tar is the panel's until it leaves the archive.
  ArchiveItemList archive;
  Panel panel;
  panel.side = kLeftPanel;
  panel.archiveItems = &archive;
  job.tempFolder = ArchiveTempFolder();
  {
    ReadExchange exchange;
    RunArchiveRead(job, exchange, stop);
    ASSERT_EQ(exchange.status, 0);
    exchange.adopt(panel, true);
    ClearItems(exchange.items);
  }
  EXPECT_EQ(Count(archive), kManyItems);
  EXPECT_EQ(panel.findName, u"many.tar.gz");
  ASSERT_FALSE(panel.archiveWorkPath.empty());
  EXPECT_TRUE(fs::exists(fs::path(panel.archiveWorkPath)));
  ForgetArchive(panel);
  FreeArchiveItems(archive);
  EXPECT_EQ(PrivateEntries(), 0u);
}

std::atomic<DWORD> askedOn{0};
std::atomic<int> questions{0};
bool AnswerSecret(Text& password) {
  askedOn = ::GetCurrentThreadId();
  ++questions;
  password = u"secret";
  return true;
}

LRESULT CALLBACK QuestionWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kArchivePasswordMessage) {
    OnArchivePasswordQuestion(lParam);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

struct MessageWindow {
  HWND handle = nullptr;
  MessageWindow() {
    WNDCLASSW type{};
    type.lpfnWndProc = QuestionWindow;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = L"NorvaneArchiveQuestionTest";
    ::RegisterClassW(&type);
    handle = ::CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance, nullptr);
  }
  ~MessageWindow() { ::DestroyWindow(handle); }
};

TEST_F(WineArchiveRead, ThePasswordIsAskedOnTheWindowsThreadAndAStopEndsTheWait) {
  MessageWindow window;
  ASSERT_NE(window.handle, nullptr);
  ArchiveReadJob job;
  job.path = Data("names-encrypted.7z");
  job.name = u"names-encrypted.7z";
  job.format = kFormat7z;
  job.askPassword = &AnswerSecret;
  job.window = window.handle;
  questions = 0;

  ReadExchange exchange;
  std::atomic<bool> ended{false};
  Worker worker;
  ASSERT_TRUE(StartWorker(worker, [&](const StopFlag& stop) {
    RunArchiveRead(job, exchange, stop);
    ended = true;
  }));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  JoinWorker(worker);
  ASSERT_TRUE(ended);
  EXPECT_EQ(questions.load(), 1);
  EXPECT_EQ(askedOn.load(), ::GetCurrentThreadId());
  EXPECT_EQ(exchange.status, 0);
  EXPECT_EQ(test::Names(exchange.items), (std::vector<Text>{u"..", u"A", u"docs"}));
  ClearItems(exchange.items);

  // Nobody answers: a stop ends the wait within a few of its looks, and the question that
  // arrives afterwards is never shown.
  ReadExchange unanswered;
  ended = false;
  ASSERT_TRUE(StartWorker(worker, [&](const StopFlag& stop) {
    RunArchiveRead(job, unanswered, stop);
    ended = true;
  }));
  MSG posted;
  const auto postedBy = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!::PeekMessageW(&posted, window.handle, kArchivePasswordMessage, kArchivePasswordMessage, PM_NOREMOVE) &&
         std::chrono::steady_clock::now() < postedBy)
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  const auto stopped = std::chrono::steady_clock::now();
  RequestStop(worker);
  JoinWorker(worker);
  const auto waited = std::chrono::steady_clock::now() - stopped;
  EXPECT_LT(waited, std::chrono::milliseconds(100));
  EXPECT_TRUE(ended);
  EXPECT_EQ(unanswered.status, -2);
  EXPECT_TRUE(unanswered.errorText.empty()) << "a stop shows nothing";
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  EXPECT_EQ(questions.load(), 1);
  EXPECT_TRUE(messages.Taken().empty());
}

}  // namespace
}  // namespace nrv
