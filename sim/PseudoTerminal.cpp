#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

PseudoTerminal::ReadResult PseudoTerminal::Read(std::vector<uint8_t>& out) {
    uint8_t buffer[4096];
    bool any = false;
    for (;;) {
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            out.insert(out.end(), buffer, buffer + n);
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
