#pragma once
// The PC's serial port with the simulated radio terminal behind it, for
// in-process tests on the virtual clock. It behaves as the real port with its
// reader thread: each byte written reaches the host module when its time on
// the 9600-baud line is over, "transmit empty" (kMsgLineEvent with kLineEventTxEmpty) is
// posted when they have gone out, the host's answers land in the receive ring
// with one kMsgReceived per batch, and kMsgLineEvent with kLineEventCtsChanged
// is posted once after Open. The device has CTS and DSR on.
//
// Wiring a test:
//   VirtualEventLoop loop;
//   VirtualClockScheduler clock(loop);
//   SimulatedRadio radio(clock);
//   SimulatedSerialPort port(clock, radio.Host());
//   port.SetPoster(SimulatedSerialPort::PostTo(loop, handler));   // handler runs on the loop

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/EventLoop.h"
#include "serial/ByteRing.h"
#include "serial/SerialPort.h"

class SimScheduler;
class SimulatedHostModule;

class SimulatedSerialPort : public SerialPort {
public:
    static constexpr const char* kDefaultDevicePath = "/dev/ttySIM0";

    SimulatedSerialPort(SimScheduler& scheduler, SimulatedHostModule& host,
                        PortMessagePoster poster = nullptr,
                        std::string devicePath = kDefaultDevicePath);
    ~SimulatedSerialPort() override;

    // A poster that hands each message to `handler` through the loop's queue,
    // as the reader thread posts to the UI thread.
    static PortMessagePoster PostTo(EventLoop& loop,
                                    std::function<void(uint32_t, uint32_t, uint32_t)> handler);
    void SetPoster(PortMessagePoster poster) { poster_ = std::move(poster); }

    int Open(const std::string& portName, uint32_t baudRate, int dataBits, int stopBits,
             int parity) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    int Write(const uint8_t* data, int count) override;
    bool TakeByte(uint8_t& byte) override { return ring_.TakeByte(byte); }
    size_t TakeBlock(uint8_t* out, size_t capacity) override { return ring_.TakeBlock(out, capacity); }
    uint32_t ModemStatus() const override { return modemStatus_; }
    uint32_t ReadModemStatus() override;

    // Fault knobs.
    // Unplugged: Open fails (an open port keeps working until it is closed).
    void SetPresent(bool present) { present_ = present; }
    // A dead port accepts no bytes (Write returns 0).
    void SetDead(bool dead) { dead_ = dead; }
    // Drops or raises CTS; a change is posted as kLineEventCtsChanged.
    void SetCts(bool on);

    // Line parameters of the last Open. When they differ from the host's UART
    // (9600 baud, 8 data bits, no parity) nothing gets through either way.
    uint32_t BaudRate() const { return baudRate_; }
    int DataBits() const { return dataBits_; }
    int StopBits() const { return stopBits_; }
    int Parity() const { return parity_; }
    int OpenCount() const { return openCount_; }
    // Every byte accepted by Write, across opens.
    const std::vector<uint8_t>& Written() const { return written_; }
    void ClearWritten() { written_.clear(); }

private:
    bool LineMatchesHost() const;
    uint32_t CurrentModem() const;
    void Post(uint32_t message, uint32_t wParam, uint32_t lParam);
    void DeliverFromHost(const uint8_t* data, size_t count);
    uint64_t ByteTimeUs() const;

    SimScheduler& scheduler_;
    SimulatedHostModule& host_;
    PortMessagePoster poster_;
    std::string devicePath_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    bool present_ = true;
    bool dead_ = false;
    bool cts_ = true;
    bool open_ = false;
    uint64_t openEpoch_ = 0;
    int openCount_ = 0;
    uint32_t baudRate_ = 0;
    int dataBits_ = 0;
    int stopBits_ = 0;
    int parity_ = 0;
    uint32_t modemStatus_ = 0;

    uint64_t txFreeUs_ = 0;
    uint64_t rxFreeUs_ = 0;
    ByteRing ring_;
    std::vector<uint8_t> written_;
};
