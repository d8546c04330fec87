#pragma once
// The radio terminal behind a simulated PC port on the virtual clock, as the
// engine sees it: messages arrive through the loop, received bytes are drained
// from the port into `received` the way the receive handler would.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimulatedSerialPort.h"
#include "support/SimulatedRadioRig.h"

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) out.push_back(static_cast<uint8_t>(v));
    return out;
}

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class RadioLink : public ::testing::Test, protected SimulatedRadioRig {
protected:
    struct Message {
        uint32_t id, wParam, lParam;
        uint64_t at;
    };

    RadioLink() {
        port.SetPoster(SimulatedSerialPort::PostTo(loop, [this](uint32_t m, uint32_t w, uint32_t l) {
            messages.push_back({m, w, l, loop.NowMs()});
            if (m == kMsgReceived) {
                uint8_t byte;
                while (port.TakeByte(byte)) received.push_back(static_cast<char>(byte));
            }
        }));
    }

    void OpenPort() {
        ASSERT_EQ(port.Open(SimulatedSerialPort::kDefaultDevicePath, 9600, 8, 2, kParityNone), 1);
    }

    void Send(const std::string& bytes) {
        int n = static_cast<int>(bytes.size());
        ASSERT_EQ(port.Write(reinterpret_cast<const uint8_t*>(bytes.data()), n), n);
    }

    // Runs until `text` has been received (anywhere since the last Clear) or maxMs pass.
    bool RunUntilReceived(const std::string& text, uint64_t maxMs = 60000) {
        return loop.RunUntil([&] { return received.find(text) != std::string::npos; }, maxMs);
    }

    // The non-empty CR LF separated lines received so far.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string current;
        for (char c : received) {
            if (c == '\r' || c == '\n') {
                if (!current.empty()) lines.push_back(current);
                current.clear();
            } else {
                current.push_back(c);
            }
        }
        if (!current.empty()) lines.push_back(current);
        return lines;
    }

    // Dials a sub module and waits for the link.
    void Connect(const std::string& address) {
        Send("ATD" + address + "\r");
        ASSERT_TRUE(RunUntilReceived("CONNECT " + address + "\r\n"));
        received.clear();
    }

    int CountMessages(uint32_t id, uint32_t wParam) const {
        int n = 0;
        for (const Message& m : messages) n += (m.id == id && m.wParam == wParam) ? 1 : 0;
        return n;
    }

    std::string received;
    std::vector<Message> messages;
};
