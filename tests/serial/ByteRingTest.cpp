#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "serial/ByteRing.h"
#include "support/ByteStreams.h"

namespace {

// The ring is 64 KiB: keep it off the test's stack.
std::unique_ptr<ByteRing> NewRing() { return std::make_unique<ByteRing>(); }

}  // namespace

TEST(ByteRingTest, HoldsAtMost65534BytesAndFreesRoomAsBytesAreTaken) {
    auto ring = NewRing();
    const auto full = Pattern(ByteRing::kCapacity);
    ASSERT_TRUE(ring->StoreBlock(full.data(), full.size()));
    EXPECT_EQ(ring->Count(), 65534);

    const uint8_t extra = 0xAA;
    EXPECT_FALSE(ring->StoreBlock(&extra, 1));
    EXPECT_EQ(ring->Count(), 65534);

    uint8_t first = 0;
    ASSERT_TRUE(ring->TakeByte(first));
    EXPECT_EQ(first, full[0]);
    EXPECT_TRUE(ring->StoreBlock(&extra, 1));
    EXPECT_FALSE(ring->StoreBlock(&extra, 1));

    auto rest = TakeAll(*ring);
    ASSERT_EQ(rest.size(), 65534u);
    EXPECT_TRUE(std::equal(full.begin() + 1, full.end(), rest.begin()));
    EXPECT_EQ(rest.back(), extra);
    EXPECT_EQ(ring->Count(), 0);
}

TEST(ByteRingTest, BlockIsStoredWholeOrNotAtAll) {
    auto ring = NewRing();
    const auto head = Pattern(100);
    ASSERT_TRUE(ring->StoreBlock(head.data(), head.size()));

    // One byte too many: refused, and nothing of it lands in the ring.
    const auto tooBig = std::vector<uint8_t>(ByteRing::kCapacity - 100 + 1, 0xEE);
    EXPECT_FALSE(ring->StoreBlock(tooBig.data(), tooBig.size()));
    EXPECT_EQ(ring->Count(), 100);

    // Exactly the free room: stored.
    const auto exact = Pattern(ByteRing::kCapacity - 100, 100);
    EXPECT_TRUE(ring->StoreBlock(exact.data(), exact.size()));
    EXPECT_EQ(ring->Count(), ByteRing::kCapacity);

    EXPECT_EQ(TakeAll(*ring), Pattern(ByteRing::kCapacity));
    EXPECT_TRUE(ring->StoreBlock(nullptr, 0));
    EXPECT_EQ(ring->Count(), 0);
}

TEST(ByteRingTest, KeepsOrderAcrossManyWrapArounds) {
    auto ring = NewRing();
    // Block sizes that do not divide the storage size put the wrap point at a
    // different place in each block.
    const size_t sizes[] = {1, 7, 2048, 999, 30000, 4093};
    size_t produced = 0;
    size_t consumed = 0;
    for (int round = 0; round < 60; ++round) {
        const size_t n = sizes[round % 6];
        const auto block = Pattern(n, produced);
        ASSERT_TRUE(ring->StoreBlock(block.data(), n)) << "round " << round;
        produced += n;
        // Leave some bytes behind each round, so the read index trails the write index.
        const size_t keep = round % 3 == 0 ? 5 : 0;
        while (produced - consumed > keep) {
            uint8_t byte = 0;
            ASSERT_TRUE(ring->TakeByte(byte));
            ASSERT_EQ(byte, static_cast<uint8_t>(consumed % 251)) << "byte " << consumed;
            ++consumed;
        }
    }
    EXPECT_GT(produced, 4u * ByteRing::kStorageSize);
}

TEST(ByteRingTest, ClearEmptiesTheRing) {
    auto ring = NewRing();
    const auto block = Pattern(40000);
    ASSERT_TRUE(ring->StoreBlock(block.data(), block.size()));
    uint8_t byte = 0;
    ASSERT_TRUE(ring->TakeByte(byte));

    ring->Clear();
    EXPECT_EQ(ring->Count(), 0);
    EXPECT_FALSE(ring->TakeByte(byte));
    const auto full = Pattern(ByteRing::kCapacity);
    EXPECT_TRUE(ring->StoreBlock(full.data(), full.size()));
    EXPECT_EQ(TakeAll(*ring), full);
}

TEST(ByteRingTest, BlockTakesCrossTheEndOfTheStorageInOrder) {
    // Where the read index starts, how much is held, and the size of each take.
    struct Case {
        int start;
        size_t held;
        size_t take;
    };
    const Case cases[] = {
        {0, 10, 4},                                    // well inside the storage
        {ByteRing::kStorageSize - 3, 10, 4},           // a take that wraps
        {ByteRing::kStorageSize - 4, 8, 4},            // takes that end exactly at the end
        {ByteRing::kStorageSize - 1, ByteRing::kCapacity, 5000},   // a full ring
        {100, 50, 1000},                               // a take larger than what is held
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.start << " held " << c.held << " take " << c.take);
        auto ring = NewRing();
        const auto skip = Pattern(static_cast<size_t>(c.start));
        ASSERT_TRUE(ring->StoreBlock(skip.data(), skip.size()));
        std::vector<uint8_t> sink(skip.size() + 1);
        ASSERT_EQ(ring->TakeBlock(sink.data(), skip.size()), skip.size());

        const auto held = Pattern(c.held, 7);
        ASSERT_TRUE(ring->StoreBlock(held.data(), held.size()));
        EXPECT_EQ(ring->Free(), ByteRing::kCapacity - static_cast<int>(c.held));
        std::vector<uint8_t> taken;
        std::vector<uint8_t> block(c.take);
        while (size_t n = ring->TakeBlock(block.data(), block.size())) {
            ASSERT_LE(n, c.take);
            taken.insert(taken.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
        }
        EXPECT_EQ(taken, held);
        EXPECT_EQ(ring->Count(), 0);
    }
}

// One producer and one consumer thread, as the reader thread and the UI thread
// use it: every byte arrives once and in order.
TEST(ByteRingTest, ProducerAndConsumerThreadsSeeEveryByteInOrder) {
    auto ring = NewRing();
    constexpr size_t kTotal = 1 << 21;
    std::thread producer([&] {
        size_t sent = 0;
        size_t step = 0;
        while (sent < kTotal) {
            const size_t n = std::min<size_t>(1 + (step++ * 611) % 3000, kTotal - sent);
            const auto block = Pattern(n, sent);
            while (!ring->StoreBlock(block.data(), n)) std::this_thread::yield();
            sent += n;
        }
    });
    size_t received = 0;
    size_t mismatches = 0;
    // The consumer takes single bytes and blocks of changing sizes in turn.
    std::vector<uint8_t> block(4000);
    size_t round = 0;
    while (received < kTotal) {
        const size_t want = ++round % 2 == 0 ? 1 : 1 + (round * 397) % block.size();
        const size_t n = want == 1 ? (ring->TakeByte(block[0]) ? 1 : 0) : ring->TakeBlock(block.data(), want);
        if (n == 0) {
            std::this_thread::yield();
            continue;
        }
        for (size_t i = 0; i < n; ++i, ++received) {
            if (block[i] != static_cast<uint8_t>(received % 251)) ++mismatches;
        }
    }
    producer.join();
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(ring->Count(), 0);
}
