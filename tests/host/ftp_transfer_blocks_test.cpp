// The transfer block rule against simulated links: a block takes its size over the link's rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ftp/transfer_blocks.h"

namespace nrv {
namespace {

constexpr uint32_t kKiB = 1024;

uint64_t TimeOnLink(uint32_t size, uint64_t bytesPerSecond) { return uint64_t{size} * 1000 / bytesPerSecond; }

// The block sizes of a transfer of total bytes over a link of the given rate.
std::vector<uint32_t> Blocks(uint64_t total, uint64_t bytesPerSecond) {
  std::vector<uint32_t> sizes;
  uint32_t size = kSmallestBlock;
  while (total > 0) {
    const uint32_t moved = static_cast<uint32_t>(std::min<uint64_t>(size, total));
    sizes.push_back(size);
    total -= moved;
    size = NextBlockSize(size, TimeOnLink(moved, bytesPerSecond));
  }
  return sizes;
}

TEST(TransferBlocks, DoubleWhileQuickHalveWhenSlowWithinTheBounds) {
  EXPECT_EQ(NextBlockSize(64 * kKiB, 0), 128 * kKiB);
  EXPECT_EQ(NextBlockSize(64 * kKiB, 49), 128 * kKiB);
  EXPECT_EQ(NextBlockSize(64 * kKiB, 50), 64 * kKiB);  // the bounds themselves keep the size
  EXPECT_EQ(NextBlockSize(512 * kKiB, 200), 512 * kKiB);
  EXPECT_EQ(NextBlockSize(512 * kKiB, 201), 256 * kKiB);
  EXPECT_EQ(NextBlockSize(kLargestBlock, 1), kLargestBlock);
  EXPECT_EQ(NextBlockSize(kSmallestBlock, 10'000), kSmallestBlock);
  // A size from elsewhere is brought into the bounds first.
  EXPECT_EQ(NextBlockSize(0, 100), kSmallestBlock);
  EXPECT_EQ(NextBlockSize(64 * kLargestBlock, 100), kLargestBlock);
}

TEST(TransferBlocks, FastLinksReachTheLargestBlockAndSlowOnesStaySmall) {
  // Loopback: 256 MiB in a handful of growing blocks, then 1 MiB each: about one call a MiB.
  const std::vector<uint32_t> loopback = Blocks(256ull << 20, 1ull << 30);
  EXPECT_EQ(std::vector<uint32_t>(loopback.begin(), loopback.begin() + 5),
            (std::vector<uint32_t>{64 * kKiB, 128 * kKiB, 256 * kKiB, 512 * kKiB, kLargestBlock}));
  EXPECT_LE(loopback.size(), 256u + 5);
  // 1 MB/s: a 64 KiB block takes 65 ms, so the size never grows and the loop comes round in
  // well under the 200 ms Cancel may wait.
  for (uint32_t size : Blocks(8ull << 20, 1'000'000)) EXPECT_EQ(size, kSmallestBlock);
}

TEST(TransferBlocks, ALinkThatSlowsDownHalvesBackAndEveryBlockEndsWithinAFifthOfASecond) {
  uint32_t size = kSmallestBlock;
  for (int i = 0; i < 10; ++i) size = NextBlockSize(size, TimeOnLink(size, 1ull << 30));
  ASSERT_EQ(size, kLargestBlock);
  // Down to 2 MB/s: 1 MiB takes 524 ms, then 262 ms, then 131 ms, where it stays.
  std::vector<uint32_t> after;
  for (int i = 0; i < 5; ++i) {
    after.push_back(size);
    size = NextBlockSize(size, TimeOnLink(size, 2'000'000));
  }
  EXPECT_EQ(after, (std::vector<uint32_t>{kLargestBlock, 512 * kKiB, 256 * kKiB, 256 * kKiB, 256 * kKiB}));
  // Whatever the rate, once settled a block takes at most the slow bound, unless it is the
  // smallest one on a link too slow for even that.
  for (uint64_t rate : {100'000ull, 700'000ull, 3'000'000ull, 9'000'000ull, 40'000'000ull, 1ull << 31}) {
    const std::vector<uint32_t> sizes = Blocks(64ull << 20, rate);
    for (size_t i = 8; i < sizes.size(); ++i) {
      if (sizes[i] > kSmallestBlock) {
        EXPECT_LE(TimeOnLink(sizes[i], rate), kSlowBlockMs) << rate;
      }
    }
  }
}

}  // namespace
}  // namespace nrv
