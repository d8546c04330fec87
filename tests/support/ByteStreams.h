#pragma once
// Byte-stream test data: a run of bytes that shows where a lost or doubled
// byte went, and everything a receiver (anything with TakeByte) holds.

#include <cstddef>
#include <cstdint>
#include <vector>

// `count` bytes counting up from `start`, modulo the prime 251 so that the
// run does not line up with power-of-two buffer sizes.
inline std::vector<uint8_t> Pattern(std::size_t count, std::size_t start = 0) {
    std::vector<uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((start + i) % 251);
    return bytes;
}

// Takes bytes from `source` until it has none left.
template <typename Source>
std::vector<uint8_t> TakeAll(Source& source) {
    std::vector<uint8_t> bytes;
    uint8_t byte = 0;
    while (source.TakeByte(byte)) bytes.push_back(byte);
    return bytes;
}
