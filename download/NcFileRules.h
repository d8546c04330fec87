#pragma once
// How the bytes of an NC program file become the lines a machine receives.
//
// A file is read whole before it is sent. A byte from 0x20 to 0x7F is text;
// every other byte (control characters and 0x80 to 0xFF) separates lines, so
// CR LF, LF alone and CR alone all end a line, runs of separators make no
// empty lines, and bytes 0x80 and above split a line in two. The last line
// needs no terminator.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

inline bool IsNcTextByte(uint8_t byte) { return static_cast<int8_t>(byte) >= 0x20; }

// Skips the separators at `offset`, never past `size`, then collects the text
// bytes that follow into `line` (emptied first). Returns the position of the
// separator that ended the line, or `size`; `line` is empty only when the
// buffer held nothing but separators from `offset` on.
uint32_t ReadNextLine(const uint8_t* buffer, uint32_t size, uint32_t offset, std::string& line);

enum class NcFileStatus {
    Loaded,     // the whole file is in the buffer
    NotOpen,    // missing, not a regular file, not readable, or an unusable name
    Empty,      // length 0
    NotWhole,   // could not be read whole: short read, a length that changed, too large, no memory
};

struct NcFileContent {
    std::unique_ptr<uint8_t[]> Bytes;
    uint32_t Size = 0;
};

// Reads exactly `expectedSize` bytes from `in` and checks that nothing follows
// them: a stream that ends early or goes on is not the file that was measured.
NcFileStatus ReadNcStream(std::istream& in, uint64_t expectedSize, NcFileContent& content);

// Reads the file `name` of `folder`. `name` must be a plain file name: one
// that holds a '/' or is "." or ".." is refused (NotOpen), so a selection can
// never reach outside the folder. Nothing on disk is changed.
NcFileStatus ReadNcFile(const std::string& folder, const std::string& name, NcFileContent& content);
