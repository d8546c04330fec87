#include "download/NcFileRules.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <new>
#include <system_error>

#include "app/PathRules.h"

uint32_t ReadNextLine(const uint8_t* buffer, uint32_t size, uint32_t offset, std::string& line) {
    line.clear();
    uint32_t pos = offset;
    while (pos < size && !IsNcTextByte(buffer[pos])) ++pos;
    uint32_t start = pos;
    while (pos < size && IsNcTextByte(buffer[pos])) ++pos;
    line.assign(reinterpret_cast<const char*>(buffer) + start, pos - start);
    return pos;
}

NcFileStatus ReadNcStream(std::istream& in, uint64_t expectedSize, NcFileContent& content) {
    content.Bytes.reset();
    content.Size = 0;
    if (expectedSize == 0) {
        // A length of 0 that still yields bytes is a file that is being written.
        return in.peek() == std::char_traits<char>::eof() ? NcFileStatus::Empty : NcFileStatus::NotWhole;
    }
    if (expectedSize > std::numeric_limits<uint32_t>::max() ||
        expectedSize > static_cast<uint64_t>(std::numeric_limits<std::streamsize>::max())) {
        return NcFileStatus::NotWhole;
    }
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[expectedSize]);
    if (!bytes) return NcFileStatus::NotWhole;
    in.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(expectedSize));
    if (static_cast<uint64_t>(in.gcount()) != expectedSize) return NcFileStatus::NotWhole;
    if (in.peek() != std::char_traits<char>::eof() || in.bad()) return NcFileStatus::NotWhole;
    content.Bytes = std::move(bytes);
    content.Size = static_cast<uint32_t>(expectedSize);
    return NcFileStatus::Loaded;
}

NcFileStatus ReadNcFile(const std::string& folder, const std::string& name, NcFileContent& content) {
    content.Bytes.reset();
    content.Size = 0;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return NcFileStatus::NotOpen;
    }
    const std::filesystem::path path(JoinPath(folder, name));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || error) return NcFileStatus::NotOpen;
    uint64_t size = std::filesystem::file_size(path, error);
    if (error) return NcFileStatus::NotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return NcFileStatus::NotOpen;
    return ReadNcStream(in, size, content);
}
