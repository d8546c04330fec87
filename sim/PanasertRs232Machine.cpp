#include "sim/PanasertRs232Machine.h"

#include <cstdio>

namespace {
constexpr uint8_t kStx = 0x02;
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kCr = 0x0D;
// Longer frames than the protocol allows are noise.
constexpr std::size_t kFrameLimit = 300;

std::string Hex2(unsigned value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

std::string Checksum(const std::string& text) {
    unsigned sum = 0;
    for (char c : text) sum += static_cast<uint8_t>(c);
    return Hex2(0u - sum);
}
}  // namespace

std::string PanasertRs232Machine::FrameText(const std::string& command, const std::string& data) {
    std::string body = Hex2(static_cast<unsigned>(command.size() + data.size())) + command + data;
    return body + Checksum(body);
}

void PanasertRs232Machine::OnLineByte(uint8_t byte) {
    received_.push_back(byte);
    if (byte == kStx) {
        inFrame_ = true;
        frame_.clear();
        return;
    }
    if (!inFrame_) return;
    if (byte == kCr || byte == kEtx) {
        inFrame_ = false;
        TakeFrame(frame_);
        return;
    }
    if (frame_.size() < kFrameLimit) frame_ += static_cast<char>(byte);
}

void PanasertRs232Machine::TakeFrame(const std::string& text) {
    if (framesLeft_ == 0) return;
    if (framesLeft_ > 0) --framesLeft_;

    bool lengthOk = text.size() >= 6 && text.compare(0, 2, Hex2(static_cast<unsigned>(text.size() - 4))) == 0;
    if (!lengthOk || text.compare(text.size() - 2, 2, Checksum(text.substr(0, text.size() - 2))) != 0) {
        frames_.push_back("?" + text);
        Answer("A1", lengthOk ? "E03" : "E05");
        return;
    }
    std::string command = text.substr(2, 2);
    std::string data = text.substr(4, text.size() - 6);
    frames_.push_back(command + data);

    if (command == "A0") {
        if (sending_) SendNextLine();
        return;
    }
    if (command == "C1") {
        StartOutput(data);
        return;
    }
    if (command == "A2") {
        sending_ = false;
        if (inProgram_) ++aborts_;
        inProgram_ = false;
        current_ = Program{};
        // The acknowledgement of an abort is not kept for a repeat: the PC
        // asks for no answer of it again.
        if (answerAbort_) {
            std::string frame(1, static_cast<char>(kStx));
            frame += FrameText("A0", "");
            frame += static_cast<char>(endByte_);
            SendToLine(frame);
        }
        return;
    }
    if (command == "A1") {
        if (!lastAnswer_.empty()) SendAnswer();
        return;
    }
    if (command == "C0") {
        if (inProgram_) ++aborts_;
        inProgram_ = true;
        current_ = Program{data, {}};
        Answer("A0");
        return;
    }
    if (command == "D0") {
        if (repeatRequests_ > 0) {
            --repeatRequests_;
            Answer("A1", "E01");
            return;
        }
        if (!inProgram_) {
            inProgram_ = true;
            current_ = Program{};
        }
        current_.lines.push_back(data);
        if (data.find('*') != std::string::npos) {
            programs_.push_back(current_);
            current_ = Program{};
            inProgram_ = false;
        }
        Answer("A0");
        return;
    }
    // Commands the machine does not take.
    Answer("A1", "E01");
}

PanasertRs232Machine::Program PanasertRs232Machine::SampleProgram() {
    return {"PNR-SAMPLE", {"N001X01000Y02000", "N002X01100Y02000", "N003X01200Y02150", "*"}};
}

void PanasertRs232Machine::StartOutput(const std::string& name) {
    const Program* found = nullptr;
    static const Program sample = SampleProgram();
    if (name.empty()) {
        found = programs_.empty() ? &sample : &programs_.back();
    } else {
        for (auto it = programs_.rbegin(); it != programs_.rend() && found == nullptr; ++it) {
            if (it->name == name) found = &*it;
        }
        if (found == nullptr && sample.name == name) found = &sample;
    }
    if (found == nullptr) {
        Answer("A3");
        return;
    }
    output_ = *found;
    outputLine_ = 0;
    sending_ = true;
    SendNextLine();
}

void PanasertRs232Machine::SendNextLine() {
    if (outputLine_ >= output_.lines.size()) {
        sending_ = false;
        Answer("A2");
        return;
    }
    Answer("D0", output_.lines[outputLine_++]);
}

void PanasertRs232Machine::Answer(const std::string& command, const std::string& data) {
    lastAnswer_ = FrameText(command, data);
    SendAnswer();
}

void PanasertRs232Machine::SendAnswer() {
    std::string text = lastAnswer_;
    if (badChecksums_ > 0) {
        --badChecksums_;
        char& last = text.back();
        last = last == '0' ? '1' : '0';
    }
    std::string frame(1, static_cast<char>(kStx));
    frame += text;
    frame += static_cast<char>(endByte_);
    SendToLine(frame);
}
