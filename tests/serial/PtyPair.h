#pragma once
// A pseudo-terminal for the serial port tests: the port opens the slave path as
// its device, the test plays the radio terminal on the master side.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class PtyPair {
public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        char name[128] = {};
        if (::ptsname_r(master_, name, sizeof name) == 0) slavePath_ = name;
    }
    ~PtyPair() {
        CloseObserver();
        CloseMaster();
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0 && !slavePath_.empty(); }
    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }

    // A second descriptor on the slave, held by the test to look at the line
    // settings and the input queue that the port's descriptor shares. Must be
    // opened before the port takes the device exclusively.
    bool OpenObserver() {
        observer_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        return observer_ >= 0;
    }
    void CloseObserver() {
        if (observer_ >= 0) ::close(observer_);
        observer_ = -1;
    }
    termios ObservedSettings() const {
        termios t{};
        ::tcgetattr(observer_, &t);
        return t;
    }
    // Bytes that arrived at the slave and were not read yet.
    int ObservedInputQueue() const {
        int n = -1;
        ::ioctl(observer_, FIONREAD, &n);
        return n;
    }

    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    // Writes everything to the master, waiting for room up to ten seconds.
    bool WriteMaster(const std::vector<uint8_t>& bytes) {
        size_t done = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (done < bytes.size() && std::chrono::steady_clock::now() < deadline) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                pollfd p{master_, POLLOUT, 0};
                ::poll(&p, 1, 100);
            } else {
                return false;
            }
        }
        return done == bytes.size();
    }
    bool WriteMaster(const std::string& text) {
        return WriteMaster(std::vector<uint8_t>(text.begin(), text.end()));
    }

    // Reads from the master until `count` bytes came or `limit` passed.
    std::string ReadMaster(size_t count,
                           std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        std::string text;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (text.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - text.size()));
            if (n > 0) text.append(buffer, static_cast<size_t>(n));
        }
        return text;
    }

private:
    int master_ = -1;
    int observer_ = -1;
    std::string slavePath_;
};
