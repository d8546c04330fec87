#pragma once
// What a test gets back from one run of the built kova-cli: the exit status and
// both streams, read back from the files they were sent to.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
