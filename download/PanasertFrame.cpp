#include "download/PanasertFrame.h"

#include <cstdio>

#include "download/NcFileRules.h"
#include "engine/ControlBytes.h"

namespace {
std::string Hex2(unsigned value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}
}  // namespace

std::string PanasertFrame::Checksum(std::string_view text) {
    unsigned sum = 0;
    for (char c : text) sum += static_cast<uint8_t>(c);
    return Hex2(0u - sum);
}

bool PanasertFrame::Fits(std::string_view command, std::string_view data) {
    std::size_t limit = (command == "C0" || command == "C1") ? kMaxNameData : kMaxData;
    if (data.size() > limit) return false;
    for (char c : data) {
        if (!IsNcTextByte(static_cast<uint8_t>(c))) return false;
    }
    return true;
}

std::string PanasertFrame::Build(std::string_view command, std::string_view data, uint8_t endByte) {
    std::string body = Hex2(static_cast<unsigned>(command.size() + data.size()));
    body.append(command);
    body.append(data);
    std::string frame(1, static_cast<char>(ControlByte::Stx));
    frame += body;
    frame += Checksum(body);
    frame += static_cast<char>(endByte);
    return frame;
}

bool PanasertFrame::Parse(const std::string& line, std::string& command, std::string& data,
                          std::string& errorCode) {
    command.clear();
    data.clear();
    if (line.size() < 6 || line.size() - 4 > 0xFF || line.compare(0, 2, Hex2(static_cast<unsigned>(line.size() - 4))) != 0) {
        errorCode = "E05";
        return false;
    }
    std::string_view body(line.data(), line.size() - 2);
    if (line.compare(line.size() - 2, 2, Checksum(body)) != 0) {
        errorCode = "E03";
        return false;
    }
    errorCode.clear();
    command = line.substr(2, 2);
    data = line.substr(4, line.size() - 6);
    return true;
}
