#pragma once
// Verify after download: the program a machine sends back by name is compared
// with the file that was sent, line by line, after both went through what
// the machine keeps of a file's lines. UNIVERSAL keeps the lines that hold '.'
// or '>' (of a '>' line the text after its first '>'), trimmed of white
// space; TDK/VC5 keeps the lines that begin with 'N'. End marks (".", "EX")
// are not program lines and are not compared.

#include <cstdint>
#include <string>
#include <vector>

struct ProgramDifference {
    bool Equal = true;
    int Line = 0;            // 1-based line of the compared lines; 0 when equal
    std::string Sent;        // empty when the machine holds more lines than were sent
    std::string Received;    // empty when the machine holds fewer

    // "verified", or "line N: sent "..." received "..."".
    std::string Describe() const;
};

class ProgramCompare {
public:
    // Whether programs of `type` can be read back by name and compared.
    static bool CanVerify(const std::string& type);
    // The lines of `bytes` that a machine of `type` keeps, as they are compared.
    static std::vector<std::string> KeptLines(const std::string& type, const uint8_t* bytes, std::size_t size);
    static ProgramDifference Compare(const std::string& type, const std::string& sent, const std::string& received);
};
