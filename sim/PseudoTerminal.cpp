#include "sim/PseudoTerminal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// More than this waiting for a slave that does not read is dropped.
constexpr size_t kMaxPending = 1 << 16;

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
}

bool PseudoTerminal::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        error = std::string("posix_openpt: ") + std::strerror(errno);
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("grantpt/unlockpt: ") + std::strerror(errno);
        return false;
    }
    char name[256];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    // On Linux the master's termios calls act on the slave's settings.
    termios settings{};
    if (::tcgetattr(master_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, B9600);
        ::cfsetospeed(&settings, B9600);
        ::tcsetattr(master_, TCSANOW, &settings);
    }
    int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

PseudoTerminal::ReadResult PseudoTerminal::Read(std::vector<uint8_t>& out, size_t limit) {
    uint8_t buffer[4096];
    bool any = false;
    while (limit > 0) {
        ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, limit));
        if (n > 0) {
            out.insert(out.end(), buffer, buffer + n);
            limit -= static_cast<size_t>(n);
            any = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return any ? ReadResult::Data : ReadResult::Nothing;
        // EIO (or end of file): the slave side has been closed.
        if (n == 0 || errno == EIO) return any ? ReadResult::Data : ReadResult::HungUp;
        return any ? ReadResult::Data : ReadResult::Failed;
    }
    return ReadResult::Data;
}

size_t PseudoTerminal::Waiting() const {
    int count = 0;
    if (::ioctl(master_, FIONREAD, &count) != 0 || count < 0) return 0;
    return static_cast<size_t>(count);
}

int PseudoTerminal::FrameBits() const {
    termios settings{};
    if (::tcgetattr(master_, &settings) != 0) return 10;
    int data = 8;
    switch (settings.c_cflag & CSIZE) {
        case CS5: data = 5; break;
        case CS6: data = 6; break;
        case CS7: data = 7; break;
        default: break;
    }
    return 1 + data + ((settings.c_cflag & PARENB) ? 1 : 0) + ((settings.c_cflag & CSTOPB) ? 2 : 1);
}

void PseudoTerminal::Write(const uint8_t* data, size_t count) {
    pending_.insert(pending_.end(), data, data + count);
    if (pending_.size() > kMaxPending)
        pending_.erase(pending_.begin(), pending_.end() - static_cast<long>(kMaxPending));
    FlushOutput();
}

void PseudoTerminal::FlushOutput() {
    while (!pending_.empty()) {
        ssize_t n = ::write(master_, pending_.data(), pending_.size());
        if (n > 0) {
            pending_.erase(pending_.begin(), pending_.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        pending_.clear();   // nobody on the other side
        return;
    }
}
