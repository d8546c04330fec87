#include "serial/CSerialPort.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <utility>

namespace {

constexpr size_t kReadBlockSize = 2048;
// A batch ends after this much even when data keeps coming, so that a peer that
// never pauses still gets its bytes to the UI thread instead of overflowing.
constexpr size_t kMaxBatchBytes = ByteRing::kCapacity;
constexpr auto kModemPollInterval = std::chrono::milliseconds(20);
constexpr int kOutputQueuePollMs = 10;
constexpr uint32_t kLinesWithoutModem = kModemCts | kModemDsr;

using Clock = std::chrono::steady_clock;

}  // namespace

CSerialPort::CSerialPort(PortMessagePoster poster) : poster_(std::move(poster)) {}

CSerialPort::~CSerialPort() { Close(); }

int CSerialPort::WriteTimeoutMs(uint32_t baudRate, int count) {
    if (baudRate == 0 || count <= 0) return 0;
    return static_cast<int>(19200 / baudRate) * count;
}

int CSerialPort::Open(const std::string& portName, uint32_t baudRate, int dataBits, int stopBits,
                      int parity) {
    Close();
    openFailure_ = PortOpenFailure::Other;
    if (portName.empty() || portName.front() != '/') return 0;
    if (!wake_.Create()) return 0;
    switch (tty_.Open(portName, {baudRate, dataBits, stopBits, parity})) {
        case TtyStatus::Ok:
            break;
        case TtyStatus::Busy:
            openFailure_ = PortOpenFailure::InUse;
            Close();
            return 0;
        case TtyStatus::UnsupportedBaudRate:
            openFailure_ = PortOpenFailure::BaudRate;
            Close();
            return 0;
        default:
            Close();
            return 0;
    }

    uint32_t status = 0;
    bool watchModemLines = true;
    switch (tty_.ModemLines(status)) {
        case TtyStatus::Ok:
            break;
        case TtyStatus::NoModemLines:
            status = kLinesWithoutModem;
            watchModemLines = false;
            break;
        default:
            Close();
            return 0;
    }

    baudRate_ = baudRate;
    modemStatus_.store(status);
    deviceLost_.store(false);
    writeCount_.store(0);
    running_.store(true);
    try {
        reader_ = std::thread(&CSerialPort::ReaderLoop, this, watchModemLines, status);
    } catch (const std::system_error&) {
        Close();
        return 0;
    }
    openFailure_ = PortOpenFailure::None;
    poster_(kMsgLineEvent, kLineEventCtsChanged, status);
    return 1;
}

void CSerialPort::Close() {
    running_.store(false);
    if (reader_.joinable()) {
        wake_.Signal();
        reader_.join();
    }
    tty_.Close();
    wake_.Release();
    receiveRing_.Clear();
    baudRate_ = 0;
    modemStatus_.store(0);
    deviceLost_.store(false);
}

bool CSerialPort::IsOpen() const { return tty_.IsOpen(); }

int CSerialPort::Write(const uint8_t* data, int count) {
    if (!tty_.IsOpen() || deviceLost_.load() || data == nullptr || count <= 0) return 0;
    size_t written = 0;
    const TtyStatus status =
        tty_.Write(data, static_cast<size_t>(count), WriteTimeoutMs(baudRate_, count), written);
    if (status == TtyStatus::HungUp) DeviceLost();
    if (written > 0) {
        writeCount_.fetch_add(1, std::memory_order_release);
        wake_.Signal();
    }
    return static_cast<int>(written);
}

bool CSerialPort::TakeByte(uint8_t& byte) { return receiveRing_.TakeByte(byte); }

int CSerialPort::ReceivedCount() const { return receiveRing_.Count(); }

uint32_t CSerialPort::ModemStatus() const { return modemStatus_.load(); }

uint32_t CSerialPort::ReadModemStatus() {
    if (!tty_.IsOpen()) return modemStatus_.load();
    uint32_t status = 0;
    switch (tty_.ModemLines(status)) {
        case TtyStatus::Ok:
            modemStatus_.store(status);
            break;
        case TtyStatus::NoModemLines:
            modemStatus_.store(kLinesWithoutModem);
            break;
        default:
            break;
    }
    return modemStatus_.load();
}

void CSerialPort::DeviceLost() {
    if (!deviceLost_.exchange(true)) poster_(kMsgPortLost, 0, 0);
}

bool CSerialPort::ReceiveBatch() {
    uint8_t block[kReadBlockSize];
    size_t total = 0;
    bool dropped = false;
    bool deviceUp = true;
    while (total < kMaxBatchBytes && running_.load(std::memory_order_relaxed)) {
        size_t got = 0;
        const TtyStatus status = tty_.Read(block, sizeof block, got);
        if (status == TtyStatus::WouldBlock) break;
        if (status != TtyStatus::Ok) {
            deviceUp = false;
            break;
        }
        total += got;
        if (!receiveRing_.StoreBlock(block, got)) dropped = true;
    }
    if (total > 0) poster_(kMsgReceived, 0, 0);
    if (dropped) poster_(kMsgReceiveOverflow, 0, 0);
    return deviceUp;
}

void CSerialPort::ReaderLoop(bool watchModemLines, uint32_t modemStatus) {
    uint32_t lastCts = modemStatus & kModemCts;
    uint64_t drainedWrites = 0;
    auto nextModemCheck = Clock::now() + kModemPollInterval;

    while (running_.load()) {
        const bool deviceUp = !deviceLost_.load();
        const bool txPending = writeCount_.load(std::memory_order_acquire) != drainedWrites;

        // Sleep until something happens; wake on a timer only for what has no
        // descriptor event of its own: modem lines and the output queue.
        int timeoutMs = -1;
        if (deviceUp && watchModemLines) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nextModemCheck -
                                                                                    Clock::now());
            timeoutMs = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        if (deviceUp && txPending) {
            timeoutMs =
                timeoutMs < 0 ? kOutputQueuePollMs : std::min(timeoutMs, kOutputQueuePollMs);
        }
        pollfd fds[2] = {{wake_.Fd(), POLLIN, 0}, {tty_.Fd(), POLLIN, 0}};
        const int ready = ::poll(fds, deviceUp ? 2 : 1, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            // Only a broken descriptor set gets here; waiting on it again would spin.
            DeviceLost();
            continue;
        }
        if (ready > 0 && (fds[0].revents & POLLIN)) wake_.Drain();
        if (!running_.load()) break;
        if (!deviceUp) continue;

        if (ready > 0 && fds[1].revents != 0) {
            const bool readOk = ReceiveBatch();
            // Hang-up and error stay signalled for good: watching further would spin.
            if (!readOk || (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                DeviceLost();
                continue;
            }
        }

        uint32_t events = 0;
        if (watchModemLines && Clock::now() >= nextModemCheck) {
            nextModemCheck = Clock::now() + kModemPollInterval;
            uint32_t status = 0;
            const TtyStatus result = tty_.ModemLines(status);
            if (result == TtyStatus::Ok) {
                modemStatus_.store(status);
                if ((status & kModemCts) != lastCts) events |= kLineEventCtsChanged;
                lastCts = status & kModemCts;
            } else if (result == TtyStatus::HungUp) {
                DeviceLost();
                continue;
            } else {
                watchModemLines = false;
            }
        }

        const uint64_t writes = writeCount_.load(std::memory_order_acquire);
        if (writes != drainedWrites) {
            int queued = 0;
            const TtyStatus result = tty_.OutputQueued(queued);
            // A driver that cannot tell its queue length is taken as drained, so
            // the engine is never left waiting for a transmit-empty that never comes.
            if (result != TtyStatus::Ok || queued == 0) {
                drainedWrites = writes;
                events |= kLineEventTxEmpty;
            }
        }
        if (events != 0) poster_(kMsgLineEvent, events, modemStatus_.load());
    }
}
