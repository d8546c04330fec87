#pragma once
// A scripted SerialPort for engine tests: records what is written, lets the test
// feed received bytes, and can refuse writes or drop CTS.

#include <algorithm>
#include <cstring>
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
    bool TakeByte(uint8_t& byte) override { return TakeBlock(&byte, 1) == 1; }
    size_t TakeBlock(uint8_t* out, size_t capacity) override {
        const size_t n = std::min(capacity, rx_.size() - rxRead_);
        std::memcpy(out, rx_.data() + rxRead_, n);
        rxRead_ += n;
        if (rxRead_ == rx_.size()) {
            rx_.clear();
            rxRead_ = 0;
        }
        return n;
    }
    uint32_t ModemStatus() const override { return Modem; }
    uint32_t ReadModemStatus() override { return Modem; }

    void Feed(const std::string& bytes) { rx_ += bytes; }

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
    std::string rx_;          // fed bytes; those before rxRead_ are taken
    std::size_t rxRead_ = 0;
};
