#include "download/ProgramCompare.h"

#include <algorithm>

#include "download/NcFileRules.h"

namespace {
std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string UniversalLine(const std::string& line) {
    const auto mark = line.find('>');
    std::string kept = Trimmed(mark == std::string::npos ? line : line.substr(mark + 1));
    // The last '>' line goes out with a '.' added; a line read back may or may
    // not show it, so a final '.' does not take part.
    if (!kept.empty() && kept.back() == '.') kept.pop_back();
    return Trimmed(kept);
}
}  // namespace

std::string ProgramDifference::Describe() const {
    if (Equal) return "verified";
    return "line " + std::to_string(Line) + ": sent \"" + Sent + "\" received \"" + Received + "\"";
}

bool ProgramCompare::CanVerify(const std::string& type) { return type == "UNIVERSAL" || type == "TDK/VC5"; }

std::vector<std::string> ProgramCompare::KeptLines(const std::string& type, const uint8_t* bytes, std::size_t size) {
    std::vector<std::string> kept;
    const bool universal = type == "UNIVERSAL";
    std::string line;
    uint32_t offset = 0;
    const auto total = static_cast<uint32_t>(size);
    while (offset < total) {
        offset = ReadNextLine(bytes, total, offset, line);
        if (line.empty()) break;
        if (universal) {
            if (line.find_first_of(".>") == std::string::npos) continue;
            std::string text = UniversalLine(line);
            if (!text.empty()) kept.push_back(text);
        } else {
            if (line.find("EX") != std::string::npos && line[0] != 'N') break;
            if (line[0] == 'N') kept.push_back(Trimmed(line));
        }
    }
    return kept;
}

ProgramDifference ProgramCompare::Compare(const std::string& type, const std::string& sent,
                                          const std::string& received) {
    const auto* sentBytes = reinterpret_cast<const uint8_t*>(sent.data());
    const auto* receivedBytes = reinterpret_cast<const uint8_t*>(received.data());
    const std::vector<std::string> a = KeptLines(type, sentBytes, sent.size());
    const std::vector<std::string> b = KeptLines(type, receivedBytes, received.size());
    ProgramDifference result;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string left = i < a.size() ? a[i] : std::string();
        const std::string right = i < b.size() ? b[i] : std::string();
        if (left != right) {
            result.Equal = false;
            result.Line = static_cast<int>(i + 1);
            result.Sent = left;
            result.Received = right;
            return result;
        }
    }
    return result;
}
