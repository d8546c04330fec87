#pragma once
// The transmit queue: bytes waiting for the transmit pump. Only the UI thread
// touches it. Indices are kept reduced, so they never overflow.

#include <array>
#include <cstdint>

class TxRing {
public:
    static constexpr int kSize = 65535;
    static constexpr int kCapacity = kSize - 1;   // one slot stays free

    int Count() const { return count_; }
    int Free() const { return kCapacity - count_; }

    // Appends one byte; false (nothing stored) when the ring is full.
    bool Push(uint8_t byte) {
        if (count_ + 1 > kCapacity) return false;
        bytes_[write_] = byte;
        write_ = (write_ + 1) % kSize;
        ++count_;
        return true;
    }
    // The byte `offset` places after the oldest one (offset < Count()).
    uint8_t Peek(int offset) const { return bytes_[(read_ + offset) % kSize]; }
    // Drops the `n` oldest bytes (n <= Count()).
    void Advance(int n) {
        read_ = (read_ + n) % kSize;
        count_ -= n;
    }
    void Clear() { read_ = write_ = count_ = 0; }

private:
    std::array<uint8_t, kSize> bytes_{};
    int read_ = 0;
    int write_ = 0;
    int count_ = 0;
};
