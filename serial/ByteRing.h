#pragma once
// Receive ring between one producer thread (the serial reader, or the simulator's
// clock) and one consumer thread (the UI thread). No lock: the producer alone
// moves the write index, the consumer alone the read index, and each index is
// published with a release store after the bytes it covers, so the other side's
// acquire load sees the bytes before it sees the index.
//
// 65535 bytes of storage, one slot always free, so at most 65534 bytes are held.
// Both indices stay in 0..65534, so they never overflow however long the port runs.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteRing {
public:
    static constexpr int kStorageSize = 65535;
    static constexpr int kCapacity = kStorageSize - 1;

    ByteRing() = default;
    ByteRing(const ByteRing&) = delete;
    ByteRing& operator=(const ByteRing&) = delete;

    // Producer side. Stores all `count` bytes, or none of them and returns false
    // when they do not all fit (count > kCapacity - Count()). A block is never
    // split: the caller decides what to do with a block that was refused.
    bool StoreBlock(const uint8_t* data, size_t count) {
        const int write = write_.load(std::memory_order_relaxed);
        const int read = read_.load(std::memory_order_acquire);
        const int used = (write - read + kStorageSize) % kStorageSize;
        if (count > static_cast<size_t>(kCapacity - used)) return false;
        if (count == 0) return true;

        const int n = static_cast<int>(count);
        const int firstPart = std::min(n, kStorageSize - write);
        std::memcpy(bytes_.data() + write, data, static_cast<size_t>(firstPart));
        std::memcpy(bytes_.data(), data + firstPart, static_cast<size_t>(n - firstPart));
        write_.store((write + n) % kStorageSize, std::memory_order_release);
        return true;
    }

    // Consumer side. Takes the oldest byte; false when the ring is empty.
    bool TakeByte(uint8_t& byte) {
        const int read = read_.load(std::memory_order_relaxed);
        const int write = write_.load(std::memory_order_acquire);
        if (read == write) return false;
        byte = bytes_[static_cast<size_t>(read)];
        read_.store((read + 1) % kStorageSize, std::memory_order_release);
        return true;
    }

    // Consumer side. Takes up to `capacity` of the oldest bytes into `out` and
    // returns how many it took (0 when the ring is empty). The room they leave is
    // published once, after all of them have been copied out.
    size_t TakeBlock(uint8_t* out, size_t capacity) {
        const int read = read_.load(std::memory_order_relaxed);
        const int write = write_.load(std::memory_order_acquire);
        const int held = (write - read + kStorageSize) % kStorageSize;
        const int n = static_cast<int>(std::min(static_cast<size_t>(held), capacity));
        if (n == 0) return 0;
        const int firstPart = std::min(n, kStorageSize - read);
        std::memcpy(out, bytes_.data() + read, static_cast<size_t>(firstPart));
        std::memcpy(out + firstPart, bytes_.data(), static_cast<size_t>(n - firstPart));
        read_.store((read + n) % kStorageSize, std::memory_order_release);
        return static_cast<size_t>(n);
    }

    // Room left for the producer. On the producer's side it can only be too
    // small (the consumer may have taken more since), never too large.
    int Free() const { return kCapacity - Count(); }

    // Bytes held now. Exact for the calling side; from the other side it may be
    // stale by whatever that side did since, never torn.
    int Count() const {
        const int read = read_.load(std::memory_order_acquire);
        const int write = write_.load(std::memory_order_acquire);
        return (write - read + kStorageSize) % kStorageSize;
    }

    // Empties the ring and zeroes the storage. Only while neither side is
    // running (the port is closed): it moves both indices at once.
    void Clear() {
        bytes_.fill(0);
        read_.store(0, std::memory_order_relaxed);
        write_.store(0, std::memory_order_release);
    }

private:
    std::array<uint8_t, kStorageSize> bytes_{};
    std::atomic<int> write_{0};
    std::atomic<int> read_{0};
};
