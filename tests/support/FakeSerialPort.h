#pragma once
// A scripted SerialPort for engine tests: records what is written, lets the test
// feed received bytes, and can refuse writes or drop CTS.

#include <deque>
#include <string>

#include "serial/SerialPort.h"

class FakeSerialPort : public SerialPort {
public:
    int Open(const std::string& portName, uint32_t baudRate, int dataBits, int stopBits, int parity) override {
        ++OpenCalls;
        OpenedName = portName;
        open_ = OpenSucceeds;
        return open_ ? 1 : 0;
    }
    PortOpenFailure LastOpenFailure() const override { return open_ ? PortOpenFailure::None : Failure; }
    void Close() override { open_ = false; ++CloseCalls; }
    bool IsOpen() const override { return open_; }
    int Write(const uint8_t* data, int count) override {
        ++WriteCalls;
        if (!open_) return 0;
        int accepted = AcceptPerWrite < 0 ? count : std::min(count, AcceptPerWrite);
        Written.append(reinterpret_cast<const char*>(data), accepted);
        return accepted;
    }
    bool TakeByte(uint8_t& byte) override {
        if (rx_.empty()) return false;
        byte = rx_.front();
        rx_.pop_front();
        return true;
    }
    uint32_t ModemStatus() const override { return Modem; }
    uint32_t ReadModemStatus() override { return Modem; }

    void Feed(const std::string& bytes) {
        for (char c : bytes) rx_.push_back(static_cast<uint8_t>(c));
    }

    bool OpenSucceeds = true;
    PortOpenFailure Failure = PortOpenFailure::Other;   // why a refused Open failed
    int AcceptPerWrite = -1;   // -1: everything
    uint32_t Modem = kModemCts | kModemDsr;
    std::string OpenedName;
    std::string Written;
    int OpenCalls = 0;
    int CloseCalls = 0;
    int WriteCalls = 0;

private:
    bool open_ = false;
    std::deque<uint8_t> rx_;
};
