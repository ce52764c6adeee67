// A sparse 8 GiB file: positions past 4 GiB in the scroll bar, percentage, End, Home, pages
// and search.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "viewer/status_line.h"
#include "viewer/viewer_moves.h"
#include "viewer/viewer_screen.h"
#include "viewer/viewer_search.h"

namespace nrv {
namespace {

constexpr int64_t kSize = 8LL << 30;
constexpr int64_t kFourGiB = 4LL << 30;

class ViewerLargeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.Path() / "big.log";
    const int fd = ::open(path_.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    std::string head;
    for (int i = 0; i < 100; ++i) head += "start line " + std::to_string(i) + "\n";
    ASSERT_EQ(::ftruncate(fd, kSize), 0);
    Put(fd, 0, head);
    Put(fd, kFourGiB - 3, "needle");
    Put(fd, kSize - 100, "needle\n" + std::string(82, 'x') + "\nlast line\n");  // to the end
    ::close(fd);
    doc_.geometry.textColumns = 80;
    doc_.geometry.textRows = 20;
    ASSERT_EQ(OpenDocument(doc_, FromUtf8(path_.string())), 0);
  }

  static void Put(int fd, int64_t at, const std::string& bytes) {
    ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), at), static_cast<ssize_t>(bytes.size()));
  }

  test::TempFolder folder_;
  std::filesystem::path path_;
  ViewerDocument doc_;
};

TEST_F(ViewerLargeFile, EndHomeAndPercentageInTextMode) {
  ASSERT_EQ(doc_.fileSize, kSize);
  ASSERT_EQ(ModeOf(doc_), kModeText);
  LayoutScreen(doc_);
  EXPECT_EQ(StatusPercent(doc_), 0);
  EXPECT_EQ(StatusFields(doc_)[2], u" 8589934592  ");

  ASSERT_TRUE(MoveEnd(doc_, FileSizeByName(doc_.name)));
  const ViewerScreen end = LayoutScreen(doc_);
  ASSERT_FALSE(end.rows.empty());
  EXPECT_EQ(end.rows.back().cells, u"last line");
  EXPECT_EQ(doc_.screenEnd, kSize);
  EXPECT_GT(doc_.viewTop, kSize - 2048);
  EXPECT_EQ(StatusPercent(doc_), 100);
  ScrollBarState bar = VerticalScrollBar(doc_);
  EXPECT_EQ(bar.range, kSize / 10);
  EXPECT_EQ(bar.position, doc_.viewTop / 10);
  EXPECT_GT(bar.page, 0);
  EXPECT_LE(bar.position + bar.page, bar.range);

  MovePages(doc_, -1);
  LayoutScreen(doc_);
  EXPECT_LT(doc_.viewTop, kSize - 19 * 80);
  EXPECT_GT(doc_.viewTop, kFourGiB);

  // The thumb half way down lands past 4 GiB.
  MoveToThumb(doc_, bar.range / 2 + 1);
  LayoutScreen(doc_);
  EXPECT_GT(doc_.viewTop, kFourGiB - 80);  // the start of the line holding it
  EXPECT_LE(doc_.viewTop, kFourGiB + 4);
  EXPECT_EQ(StatusPercent(doc_), 50);

  MoveHome(doc_);
  const ViewerScreen home = LayoutScreen(doc_);
  EXPECT_EQ(doc_.viewTop, 0);
  EXPECT_EQ(home.rows[0].cells, u"start line 0");
}

TEST_F(ViewerLargeFile, HexEndAndSearchPastFourGiB) {
  SetHexMode(doc_, true);
  MoveEnd(doc_, -1);
  EXPECT_EQ(doc_.viewTop, kSize - 20 * 16);
  const ViewerScreen end = LayoutScreen(doc_);
  EXPECT_EQ(end.rows[0].cells.substr(0, 12), u"01FFFFFEC0: ");
  EXPECT_EQ(doc_.screenEnd, kSize);

  // A hit across the 4 GiB mark, and one in the last block.
  doc_.search.text = u"NEEDLE";
  doc_.search.start = kFourGiB - 65536;
  ASSERT_EQ(FindNext(doc_), kSearchFound);
  EXPECT_EQ(doc_.viewTop, kFourGiB - 3 - 32);
  doc_.search.start = kSize - (1 << 20);
  ASSERT_EQ(FindNext(doc_), kSearchFound);
  EXPECT_EQ(doc_.viewTop, kSize - 100 - 32);

  SearchRun run;
  run.file = &doc_.file;
  run.fileSize = doc_.fileSize;
  run.backward = true;
  EXPECT_EQ(FindBytes(run, kSize, "needle"), kSize - 100);
  EXPECT_EQ(FindBytes(run, kFourGiB + 3, "needle"), kFourGiB - 3);
  MoveHome(doc_);
  EXPECT_EQ(doc_.viewTop, 0);
}

}  // namespace
}  // namespace nrv
