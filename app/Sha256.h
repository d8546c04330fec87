#pragma once
// SHA-256 of a byte stream, fed in pieces; the digest as 64 lower-case hex
// digits, as sha256sum prints it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    void Update(const uint8_t* data, std::size_t size);
    void Update(const std::string& text) { Update(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }
    // The digest of everything fed so far; the object cannot be fed afterwards.
    std::string HexDigest();

    static std::string Of(const uint8_t* data, std::size_t size);

private:
    void Block(const uint8_t* block);

    std::array<uint32_t, 8> state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    uint64_t totalBytes_ = 0;
};
