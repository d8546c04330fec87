#include "sim/SimulatedSerialPort.h"

#include <algorithm>
#include <utility>

#include "sim/SimScheduler.h"
#include "sim/SimulatedHostModule.h"

namespace {

// The host module's UART.
constexpr uint32_t kHostBaud = 9600;
constexpr int kHostDataBits = 8;
constexpr int kHostParity = kParityNone;

uint32_t MsUntil(uint64_t dueUs, uint64_t nowUs) {
    return dueUs <= nowUs ? 0 : static_cast<uint32_t>((dueUs - nowUs + 999) / 1000);
}

}  // namespace

SimulatedSerialPort::SimulatedSerialPort(SimScheduler& scheduler, SimulatedHostModule& host,
                                         PortMessagePoster poster, std::string devicePath)
    : scheduler_(scheduler),
      host_(host),
      poster_(std::move(poster)),
      devicePath_(std::move(devicePath)) {}

// The host keeps a sink that refers to this port; it is guarded by alive_, so
// the host is not touched here (it may already be gone).
SimulatedSerialPort::~SimulatedSerialPort() = default;

PortMessagePoster SimulatedSerialPort::PostTo(
    EventLoop& loop, std::function<void(uint32_t, uint32_t, uint32_t)> handler) {
    return [&loop, handler = std::move(handler)](uint32_t message, uint32_t wParam,
                                                 uint32_t lParam) {
        loop.Post([handler, message, wParam, lParam] { handler(message, wParam, lParam); });
    };
}

void SimulatedSerialPort::Post(uint32_t message, uint32_t wParam, uint32_t lParam) {
    if (poster_) poster_(message, wParam, lParam);
}

int SimulatedSerialPort::Open(const std::string& portName, uint32_t baudRate, int dataBits,
                              int stopBits, int parity) {
    if (open_) Close();
    if (portName != devicePath_ || !present_) return 0;
    open_ = true;
    ++openEpoch_;
    ++openCount_;
    baudRate_ = baudRate;
    dataBits_ = dataBits;
    stopBits_ = stopBits;
    parity_ = parity;
    ring_.Clear();
    uint64_t now = scheduler_.Now() * 1000;
    txFreeUs_ = std::max(txFreeUs_, now);
    rxFreeUs_ = now;

    std::weak_ptr<int> port = alive_;
    uint64_t epoch = openEpoch_;
    host_.SetPcSink([this, port, epoch](const uint8_t* data, size_t count) {
        if (port.lock() && epoch == openEpoch_) DeliverFromHost(data, count);
    });
    modemStatus_ = CurrentModem();
    Post(kMsgLineEvent, kLineEventCtsChanged, modemStatus_);
    return 1;
}

void SimulatedSerialPort::Close() {
    if (!open_) return;
    open_ = false;
    ++openEpoch_;
    host_.SetPcSink(nullptr);
    ring_.Clear();
    modemStatus_ = 0;
}

bool SimulatedSerialPort::LineMatchesHost() const {
    return baudRate_ == kHostBaud && dataBits_ == kHostDataBits && parity_ == kHostParity;
}

uint32_t SimulatedSerialPort::CurrentModem() const {
    if (!open_) return 0;
    return (cts_ ? kModemCts : 0) | kModemDsr;
}

uint32_t SimulatedSerialPort::ReadModemStatus() {
    modemStatus_ = CurrentModem();
    return modemStatus_;
}

void SimulatedSerialPort::SetCts(bool on) {
    if (cts_ == on) return;
    cts_ = on;
    if (!open_) return;
    modemStatus_ = CurrentModem();
    Post(kMsgLineEvent, kLineEventCtsChanged, modemStatus_);
}

uint64_t SimulatedSerialPort::ByteTimeUs() const {
    uint64_t bits = 1 + static_cast<uint64_t>(dataBits_) + (parity_ == kParityNone ? 0 : 1) +
                    static_cast<uint64_t>(stopBits_);
    return baudRate_ == 0 ? 0 : bits * 1000000u / baudRate_;
}

int SimulatedSerialPort::Write(const uint8_t* data, int count) {
    if (!open_ || dead_ || count <= 0) return 0;
    written_.insert(written_.end(), data, data + count);

    // Each byte reaches the host when its own character time is over, as on a
    // UART: the host passes the first bytes of a long write on over the radio
    // while the rest are still on the wire. Bytes due in the same millisecond
    // travel together.
    uint64_t now = scheduler_.Now() * 1000;
    uint64_t at = std::max(txFreeUs_, now);
    const bool reaches = LineMatchesHost();
    SimulatedHostModule* host = &host_;
    std::vector<uint8_t> group;
    uint32_t groupDelay = 0;
    auto send = [&] {
        if (group.empty()) return;
        if (!reaches) {
            group.clear();
            return;
        }
        // Bytes on the wire arrive even if the port is closed meanwhile.
        scheduler_.ScheduleFor(alive_, groupDelay, [host, bytes = std::move(group)] {
            host->ReceiveFromPc(bytes.data(), bytes.size());
        });
        group.clear();
    };
    for (int i = 0; i < count; ++i) {
        at += ByteTimeUs();
        uint32_t delay = MsUntil(at, now);
        if (delay != groupDelay) send();
        groupDelay = delay;
        group.push_back(data[i]);
    }
    send();
    txFreeUs_ = at;

    uint64_t epoch = openEpoch_;
    scheduler_.ScheduleFor(alive_, MsUntil(txFreeUs_, now), [this, epoch] {
        if (epoch != openEpoch_) return;
        Post(kMsgLineEvent, kLineEventTxEmpty, modemStatus_);
    });
    return count;
}

void SimulatedSerialPort::DeliverFromHost(const uint8_t* data, size_t count) {
    if (!LineMatchesHost()) return;   // garbled: nothing the PC could read
    uint64_t now = scheduler_.Now() * 1000;
    rxFreeUs_ = std::max(rxFreeUs_, now) + ByteTimeUs() * count;
    std::vector<uint8_t> bytes(data, data + count);
    uint64_t epoch = openEpoch_;
    scheduler_.ScheduleFor(alive_, MsUntil(rxFreeUs_, now), [this, epoch, bytes = std::move(bytes)] {
        if (epoch != openEpoch_) return;
        if (ring_.StoreBlock(bytes.data(), bytes.size())) {
            Post(kMsgReceived, 0, 0);
        } else {
            Post(kMsgReceiveOverflow, 0, static_cast<uint32_t>(bytes.size()));
        }
    });
}
