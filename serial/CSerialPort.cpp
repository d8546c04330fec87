#include "serial/CSerialPort.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <system_error>
#include <utility>

namespace {

constexpr size_t kReadBlockSize = 2048;
// A batch ends after this much even when data keeps coming, so that a peer that
// never pauses still gets its first bytes to the UI thread early.
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
    heldBack_.store(false);
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

bool CSerialPort::TakeByte(uint8_t& byte) {
    if (!receiveRing_.TakeByte(byte)) return false;
    WakeHeldBackReader();
    return true;
}

size_t CSerialPort::TakeBlock(uint8_t* out, size_t capacity) {
    const size_t taken = receiveRing_.TakeBlock(out, capacity);
    if (taken != 0) WakeHeldBackReader();
    return taken;
}

void CSerialPort::WakeHeldBackReader() {
    if (heldBack_.load(std::memory_order_relaxed) && heldBack_.exchange(false)) wake_.Signal();
}

int CSerialPort::ReceivedCount() const { return receiveRing_.Count(); }

uint32_t CSerialPort::ModemStatus() const { return modemStatus_.load(); }

uint32_t CSerialPort::ReadModemStatus() {
    if (!tty_.IsOpen()) return modemStatus_.load();
    uint32_t status = 0;
    switch (tty_.ModemLines(status)) {
        case TtyStatus::Ok:
            // CTS seen going off here: the reader, asleep while CTS was on, now
            // watches for its return.
            if ((modemStatus_.exchange(status) & ~status & kModemCts) != 0) wake_.Signal();
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
    bool deviceUp = true;
    while (total < kMaxBatchBytes && running_.load(std::memory_order_relaxed)) {
        // Only what fits is read: the rest stays with the driver, whose full
        // buffer then holds the sender back (RTS, or a pty writer that waits).
        // Free() can only be stale towards less room, never more.
        const size_t room = static_cast<size_t>(receiveRing_.Free());
        if (room == 0) break;
        size_t got = 0;
        const TtyStatus status = tty_.Read(block, std::min(sizeof block, room), got);
        if (status == TtyStatus::WouldBlock) break;
        if (status != TtyStatus::Ok) {
            deviceUp = false;
            break;
        }
        total += got;
        receiveRing_.StoreBlock(block, got);
    }
    if (total > 0) poster_(kMsgReceived, 0, 0);
    return deviceUp;
}

bool CSerialPort::RingHasRoom() {
    if (receiveRing_.Free() > 0) return true;
    heldBack_.store(true);
    // The UI thread may have taken bytes between the look and the flag; it
    // signals the wake event only for takes it made after seeing the flag.
    if (receiveRing_.Free() == 0) return false;
    heldBack_.store(false);
    return true;
}

void CSerialPort::ReportDriverLosses(uint64_t& reported) {
    uint64_t lost = 0;
    if (tty_.LostInputCount(lost) != TtyStatus::Ok || lost <= reported) return;
    const uint64_t fresh = lost - reported;
    reported = lost;
    poster_(kMsgReceiveOverflow, 0, static_cast<uint32_t>(std::min<uint64_t>(fresh, UINT32_MAX)));
}

void CSerialPort::ReaderLoop(bool watchModemLines, uint32_t modemStatus) {
    uint32_t lastCts = modemStatus & kModemCts;
    uint64_t drainedWrites = 0;
    auto nextModemCheck = Clock::now();
    bool modemWatched = false;
    // The driver's loss counters count since it was loaded; only what is lost
    // while this port is open is reported. A pty has none.
    uint64_t reportedLosses = 0;
    const bool countLosses = tty_.LostInputCount(reportedLosses) == TtyStatus::Ok;

    while (running_.load()) {
        const bool deviceUp = !deviceLost_.load();
        const bool txPending = writeCount_.load(std::memory_order_acquire) != drainedWrites;
        const bool readWanted = deviceUp && RingHasRoom();
        // The modem lines have no descriptor event; they are read on a timer only
        // while something depends on CTS: a write still draining, or CTS off (the
        // transmit queue then waits for it). Otherwise the reader sleeps.
        const bool ctsOff = lastCts == 0 || (modemStatus_.load() & kModemCts) == 0;
        const bool watchModem = deviceUp && watchModemLines && (txPending || ctsOff);
        if (watchModem && !modemWatched) nextModemCheck = Clock::now();
        modemWatched = watchModem;

        // Sleep until something happens; wake on a timer only for what has no
        // descriptor event of its own: modem lines and the output queue.
        int timeoutMs = -1;
        if (watchModem) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nextModemCheck -
                                                                                    Clock::now());
            timeoutMs = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        if (deviceUp && txPending) {
            timeoutMs =
                timeoutMs < 0 ? kOutputQueuePollMs : std::min(timeoutMs, kOutputQueuePollMs);
        }
        // While held back the device is still watched for a hang-up, not for data.
        pollfd fds[2] = {{wake_.Fd(), POLLIN, 0},
                         {tty_.Fd(), static_cast<short>(readWanted ? POLLIN : 0), 0}};
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
            const bool readOk = !(fds[1].revents & POLLIN) || ReceiveBatch();
            // Hang-up and error stay signalled for good: watching further would spin.
            if (!readOk || (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                DeviceLost();
                continue;
            }
            if (countLosses) ReportDriverLosses(reportedLosses);
        }

        uint32_t events = 0;
        if (watchModem && Clock::now() >= nextModemCheck) {
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
