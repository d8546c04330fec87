// The NC file rules and the PANASERT/RS232 frames on arbitrary bytes.
//
// Rules checked: ReadNextLine moves forward, returns only text bytes and
// together its lines are exactly the text bytes of the file; a stream is
// loaded only when its length is the measured one; a frame that Build makes
// is one Parse accepts with the same command and data, and a frame Parse
// accepts is one Build makes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "download/NcFileRules.h"
#include "download/PanasertFrame.h"
#include "engine/ControlBytes.h"

namespace {

void CheckLines(const uint8_t* data, uint32_t size) {
    std::string expected;
    for (uint32_t i = 0; i < size; ++i) {
        if (IsNcTextByte(data[i])) expected.push_back(static_cast<char>(data[i]));
    }
    std::string joined;
    std::string line;
    uint32_t offset = 0;
    for (;;) {
        const uint32_t next = ReadNextLine(data, size, offset, line);
        FUZZ_CHECK(next <= size);
        FUZZ_CHECK(next >= offset);
        for (char c : line) FUZZ_CHECK(IsNcTextByte(static_cast<uint8_t>(c)));
        FUZZ_CHECK(next == size || !IsNcTextByte(data[next]));
        if (line.empty()) {
            // Only separators were left.
            for (uint32_t i = offset; i < size; ++i) FUZZ_CHECK(!IsNcTextByte(data[i]));
            break;
        }
        FUZZ_CHECK(next > offset);
        joined += line;
        offset = next;
    }
    FUZZ_CHECK(joined == expected);

    // An offset at or past the end reads nothing.
    FUZZ_CHECK(ReadNextLine(data, size, size, line) == size && line.empty());
}

void CheckStream(const uint8_t* data, uint32_t size, uint8_t choice) {
    // The measured length: right, a little short, a little long, or zero.
    uint64_t expected = size;
    switch (choice % 4) {
        case 1: expected = size > 0 ? size - 1 - choice % (size) : 0; break;
        case 2: expected = size + 1 + choice % 5; break;
        case 3: expected = 0; break;
        default: break;
    }
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    NcFileContent content;
    const NcFileStatus status = ReadNcStream(in, expected, content);
    if (size == 0 && expected == 0) {
        FUZZ_CHECK(status == NcFileStatus::Empty);
    } else if (expected == size) {
        FUZZ_CHECK(status == NcFileStatus::Loaded);
        FUZZ_CHECK(content.Size == size);
        FUZZ_CHECK(std::memcmp(content.Bytes.get(), data, size) == 0);
    } else {
        FUZZ_CHECK(status == NcFileStatus::NotWhole);
        FUZZ_CHECK(content.Size == 0 && !content.Bytes);
    }
}

void CheckFrames(std::string_view bytes, uint8_t endByte) {
    // Whatever arrives, as the receive path hands it over.
    const std::string line(bytes);
    std::string command, payload, error;
    if (PanasertFrame::Parse(line, command, payload, error)) {
        FUZZ_CHECK(error.empty());
        FUZZ_CHECK(command.size() == 2);
        FUZZ_CHECK(command.size() + payload.size() + 4 == line.size());
        const std::string frame = PanasertFrame::Build(command, payload, endByte);
        FUZZ_CHECK(frame == std::string(1, static_cast<char>(ControlByte::Stx)) + line +
                                static_cast<char>(endByte));
    } else {
        FUZZ_CHECK(error == "E05" || error == "E03");
        FUZZ_CHECK(command.empty() && payload.empty());
    }

    // What the download sends: a two-letter command and data that fits.
    if (bytes.size() < 2) return;
    const std::string_view cmd = bytes.substr(0, 2);
    const std::string_view body = bytes.substr(2);
    const std::string frame = PanasertFrame::Build(cmd, body, endByte);
    FUZZ_CHECK(frame.size() == body.size() + 8);
    FUZZ_CHECK(frame.front() == static_cast<char>(ControlByte::Stx));
    FUZZ_CHECK(static_cast<uint8_t>(frame.back()) == endByte);
    if (body.size() + 2 <= 0xFF) {
        const std::string inner = frame.substr(1, frame.size() - 2);
        FUZZ_CHECK(PanasertFrame::Parse(inner, command, payload, error));
        FUZZ_CHECK(command == cmd && payload == body);
    }
    if (PanasertFrame::Fits(cmd, body)) {
        FUZZ_CHECK(body.size() <= PanasertFrame::kMaxData);
        for (char c : body) FUZZ_CHECK(IsNcTextByte(static_cast<uint8_t>(c)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    ++data;
    --size;
    const auto size32 = static_cast<uint32_t>(size);
    CheckLines(data, size32);
    CheckStream(data, size32, choice);
    CheckFrames(std::string_view(reinterpret_cast<const char*>(data), size),
                (choice & 0x80) ? ControlByte::Etx : ControlByte::Cr);
    return 0;
}
