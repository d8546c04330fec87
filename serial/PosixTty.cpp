#include "serial/PosixTty.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "serial/SerialPort.h"

struct PosixTty::SavedSettings {
    termios settings{};
};

namespace {

// errno as the port sees it. Errors that mean "the device is gone" are one
// status, so the layers above need no knowledge of USB or pty quirks.
TtyStatus StatusFromErrno(int errorNumber) {
    switch (errorNumber) {
        case EAGAIN:
            return TtyStatus::WouldBlock;
        case ENOENT:
        case ENOTDIR:
            return TtyStatus::NotFound;
        case EACCES:
        case EPERM:
            return TtyStatus::AccessDenied;
        case EBUSY:
            return TtyStatus::Busy;
        case ENOTTY:
            return TtyStatus::NotATty;
        case EINVAL:
            return TtyStatus::Unsupported;
        case EIO:
        case ENXIO:
        case ENODEV:
        case EPIPE:
            return TtyStatus::HungUp;
        default:
            return TtyStatus::Failed;
    }
}

// The rates the radio terminal and the machines use; B0 for any other.
speed_t SpeedFor(uint32_t baudRate) {
    static constexpr struct {
        uint32_t rate;
        speed_t speed;
    } kRates[] = {{300, B300},   {600, B600},   {1200, B1200}, {1800, B1800},
                  {2400, B2400}, {4800, B4800}, {9600, B9600}, {19200, B19200}};
    for (const auto& r : kRates) {
        if (r.rate == baudRate) return r.speed;
    }
    return B0;
}

// A pseudo-terminal (or a driver without modem control) refuses the modem-line
// ioctls with one of these; the port then behaves as if CTS and DSR were on.
bool MeansNoModemLines(int errorNumber) { return errorNumber == ENOTTY || errorNumber == EINVAL; }

using Clock = std::chrono::steady_clock;

// Writes everything, retrying interrupted calls and short writes, and waits for
// room in the driver's queue (the line may be held by CTS) until the deadline.
TtyStatus WriteAll(int fd, const uint8_t* data, size_t count, Clock::time_point deadline,
                   size_t& written) {
    written = 0;
    while (written < count) {
        const ssize_t n = ::write(fd, data + written, count - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return StatusFromErrno(errno);

        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return TtyStatus::TimedOut;
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) return TtyStatus::Failed;
        if (ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return TtyStatus::HungUp;
    }
    return TtyStatus::Ok;
}

}  // namespace

PosixTty::PosixTty() : saved_(std::make_unique<SavedSettings>()) {}

PosixTty::~PosixTty() { Close(); }

bool PosixTty::IsSupportedBaudRate(uint32_t baudRate) { return SpeedFor(baudRate) != B0; }

TtyStatus PosixTty::OpenFailed(TtyStatus status, int errorNumber) {
    lastErrorText_ = std::strerror(errorNumber);
    Close();
    return status;
}

TtyStatus PosixTty::Open(const std::string& path, const TtyLineSettings& line) {
    Close();
    lastErrorText_.clear();
    const speed_t speed = SpeedFor(line.baudRate);
    if (speed == B0) return OpenFailed(TtyStatus::UnsupportedBaudRate, EINVAL);
    if (line.dataBits != 7 && line.dataBits != 8) return OpenFailed(TtyStatus::Unsupported, EINVAL);

    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return OpenFailed(StatusFromErrno(errno), errno);
    if (!::isatty(fd_)) return OpenFailed(TtyStatus::NotATty, ENOTTY);

    // Exclusive mode belongs to the tty, not to a descriptor: set it only when
    // it is not set yet, so that undoing it never takes it from another program.
    int wasExclusive = 0;
    if (::ioctl(fd_, TIOCGEXCL, &wasExclusive) != 0) wasExclusive = 0;
    if (!wasExclusive) {
        if (::ioctl(fd_, TIOCEXCL) != 0) return OpenFailed(StatusFromErrno(errno), errno);
        madeExclusive_ = true;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        // Another program holds the device: hand it back untouched.
        Abandon();
        lastErrorText_ = std::strerror(e);
        return e == EWOULDBLOCK ? TtyStatus::Busy : StatusFromErrno(e);
    }
    locked_ = true;

    if (::tcgetattr(fd_, &saved_->settings) != 0) return OpenFailed(StatusFromErrno(errno), errno);
    restoreSettings_ = true;

    termios t = saved_->settings;
    ::cfmakeraw(&t);
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
    t.c_cflag |= (line.dataBits == 7 ? CS7 : CS8) | CREAD | CLOCAL | CRTSCTS;
    if (line.stopBits != 1) t.c_cflag |= CSTOPB;
    if (line.parity == kParityOdd) t.c_cflag |= PARENB | PARODD;
    if (line.parity == kParityEven) t.c_cflag |= PARENB;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return OpenFailed(StatusFromErrno(errno), errno);

    // tcsetattr succeeds when any part of the request was applied; a driver that
    // kept another speed would talk garbage, so check it. The frame format is not
    // checked: a pseudo-terminal always reports 8 bits without parity, which is
    // harmless there since no line exists.
    termios applied{};
    if (::tcgetattr(fd_, &applied) != 0) return OpenFailed(StatusFromErrno(errno), errno);
    if (::cfgetospeed(&applied) != speed) return OpenFailed(TtyStatus::UnsupportedBaudRate, EINVAL);

    const int dtr = TIOCM_DTR;
    if (::ioctl(fd_, TIOCMBIS, &dtr) != 0 && !MeansNoModemLines(errno)) {
        return OpenFailed(StatusFromErrno(errno), errno);
    }
    ::tcflush(fd_, TCIOFLUSH);
    return TtyStatus::Ok;
}

void PosixTty::Abandon() {
    if (fd_ < 0) return;
    if (madeExclusive_) ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    locked_ = false;
    madeExclusive_ = false;
    restoreSettings_ = false;
}

void PosixTty::Close() {
    if (fd_ < 0) return;
    if (!locked_) {
        // Never held: whatever is queued belongs to whoever else has it open.
        Abandon();
        return;
    }
    // Discard first: with CTS held off, pending output would make close() wait
    // for the driver's drain time-out.
    ::tcflush(fd_, TCIOFLUSH);
    if (restoreSettings_) ::tcsetattr(fd_, TCSANOW, &saved_->settings);
    // Exclusive mode belongs to the tty, not to this descriptor: drop it, or the
    // device stays closed to everyone while another descriptor keeps it alive.
    ::flock(fd_, LOCK_UN);
    Abandon();
}

TtyStatus PosixTty::Read(uint8_t* buffer, size_t capacity, size_t& got) {
    got = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n > 0) {
            got = static_cast<size_t>(n);
            return TtyStatus::Ok;
        }
        // A non-blocking raw tty says "no data" with EAGAIN; end of file means the
        // tty was hung up.
        if (n == 0) return TtyStatus::HungUp;
        if (errno == EINTR) continue;
        return StatusFromErrno(errno);
    }
}

TtyStatus PosixTty::Write(const uint8_t* data, size_t count, int timeoutMs, size_t& written) {
    written = 0;
    if (fd_ < 0) return TtyStatus::Failed;
    return WriteAll(fd_, data, count, Clock::now() + std::chrono::milliseconds(timeoutMs), written);
}

TtyStatus PosixTty::ModemLines(uint32_t& status) {
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0) {
        return MeansNoModemLines(errno) ? TtyStatus::NoModemLines : StatusFromErrno(errno);
    }
    status = 0;
    if (lines & TIOCM_CTS) status |= kModemCts;
    if (lines & TIOCM_DSR) status |= kModemDsr;
    if (lines & TIOCM_RNG) status |= kModemRing;
    if (lines & TIOCM_CAR) status |= kModemRlsd;
    return TtyStatus::Ok;
}

TtyStatus PosixTty::OutputQueued(int& bytes) {
    bytes = 0;
    if (::ioctl(fd_, TIOCOUTQ, &bytes) != 0) return StatusFromErrno(errno);
    return TtyStatus::Ok;
}

TtyStatus PosixTty::LostInputCount(uint64_t& lost) {
    lost = 0;
    serial_icounter_struct counts{};
    if (::ioctl(fd_, TIOCGICOUNT, &counts) != 0) {
        return MeansNoModemLines(errno) ? TtyStatus::Unsupported : StatusFromErrno(errno);
    }
    lost = static_cast<uint64_t>(static_cast<unsigned>(counts.overrun)) +
           static_cast<uint64_t>(static_cast<unsigned>(counts.buf_overrun));
    return TtyStatus::Ok;
}

void PosixTty::Purge() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}
