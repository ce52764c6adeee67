// The transfer block rule against simulated links: a block takes its size over the link's rate,
// less what a send buffer in front of the link takes at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ftp/transfer_blocks.h"

namespace nrv {
namespace {

constexpr uint32_t kKiB = 1024;
constexpr uint64_t kSocketBuffers = 4 * 1024 * 1024;  // what the kernel gives a loopback socket here

uint64_t TimeOnLink(uint32_t size, uint64_t bytesPerSecond) { return uint64_t{size} * 1000 / bytesPerSecond; }

// A link behind a send buffer: a write goes into the buffer at once while it fits, and waits
// for the link to drain the rest. No time passes between writes.
struct Link {
  uint64_t bytesPerSecond = 0;
  uint64_t buffer = 0;
  uint64_t queued = 0;
};

uint64_t WriteMicroseconds(Link& link, uint64_t size) {
  if (link.queued + size <= link.buffer) {
    link.queued += size;
    return 0;
  }
  const uint64_t waited = (link.queued + size - link.buffer) * 1'000'000 / link.bytesPerSecond;
  link.queued = link.buffer;
  return waited;
}

struct Sent {
  uint32_t size;
  uint64_t microseconds;
};

// The blocks of a transfer of total bytes over link, sized as the transfer loop sizes them.
std::vector<Sent> Transfer(uint64_t total, Link link) {
  std::vector<Sent> blocks;
  BlockPace pace;
  while (total > 0) {
    const uint32_t moved = static_cast<uint32_t>(std::min<uint64_t>(pace.size, total));
    blocks.push_back({pace.size, WriteMicroseconds(link, moved)});
    total -= moved;
    AfterBlock(pace, moved, blocks.back().microseconds);
  }
  return blocks;
}

uint64_t LongestMs(const std::vector<Sent>& blocks) {
  uint64_t longest = 0;
  for (const Sent& block : blocks) longest = std::max(longest, block.microseconds / 1000);
  return longest;
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

TEST(TransferBlocks, ALinkThatSlowsDownHalvesBack) {
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
}

TEST(TransferBlocks, TheSocketBuffersDoNotFoolTheRuleIntoBlocksOfASecond) {
  // The rule by block times alone: an upload's first megabytes go into the buffers at once, the
  // blocks grow to the largest, and the first one that waits for the link holds it a second.
  Link slow{1'000'000, kSocketBuffers};
  uint32_t size = kSmallestBlock;
  uint64_t longest = 0;
  for (uint64_t sent = 0; sent < (8ull << 20); sent += size) {
    const uint64_t microseconds = WriteMicroseconds(slow, size);
    longest = std::max(longest, microseconds / 1000);
    size = NextBlockSize(size, microseconds / 1000);
  }
  EXPECT_GT(longest, 900u);

  // Paced by the rate so far: no block holds the link more than about a fifth of a second, only
  // the one that meets the full buffers takes more than the quick bound, and after it the pace
  // counts only what the link took: the size stays what it moves in the paced time.
  const std::vector<Sent> paced = Transfer(8ull << 20, {1'000'000, kSocketBuffers});
  EXPECT_LE(LongestMs(paced), 220u);
  const auto held = std::find_if(paced.begin(), paced.end(),
                                 [](const Sent& block) { return block.microseconds / 1000 > kQuickBlockMs; });
  ASSERT_NE(held, paced.end());
  for (auto block = held + 1; block != paced.end(); ++block) EXPECT_LE(block->size, 1'000'000 * kPacedBlockMs / 1000);
}

TEST(TransferBlocks, FastLinksReachTheLargestBlockAndEveryBlockEndsWithinAFifthOfASecond) {
  // Loopback: the pace holds the sizes back for the first 16 MiB only; 256 MiB take few more
  // calls than 1 MiB blocks would.
  for (const uint64_t buffer : {uint64_t{0}, kSocketBuffers}) {
    const std::vector<Sent> loopback = Transfer(256ull << 20, {1ull << 30, buffer});
    EXPECT_EQ(loopback.back().size, kLargestBlock);
    EXPECT_LE(loopback.size(), 256u + 64) << buffer;
  }
  // 1 MB/s without buffers: a 64 KiB block takes 65 ms, so the size never grows.
  for (const Sent& block : Transfer(8ull << 20, {1'000'000, 0})) EXPECT_EQ(block.size, kSmallestBlock);
  // Whatever the rate and the buffers, once settled a block takes at most the slow bound, unless
  // it is the smallest one on a link too slow for even that.
  for (const uint64_t buffer : {uint64_t{0}, kSocketBuffers})
    for (const uint64_t rate : {100'000ull, 700'000ull, 3'000'000ull, 9'000'000ull, 40'000'000ull, 1ull << 31}) {
      const std::vector<Sent> blocks = Transfer(64ull << 20, {rate, buffer});
      for (size_t i = 8 + buffer / kSmallestBlock; i < blocks.size(); ++i) {
        if (blocks[i].size > kSmallestBlock) {
          EXPECT_LE(blocks[i].microseconds / 1000, kSlowBlockMs) << rate;
        }
      }
    }
}

}  // namespace
}  // namespace nrv
