#include "serial/WakeEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

WakeEvent::~WakeEvent() { Release(); }

bool WakeEvent::Create() {
    Release();
    fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    return fd_ >= 0;
}

void WakeEvent::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void WakeEvent::Signal() {
    const uint64_t one = 1;
    // The counter only saturates after 2^64 - 2 signals; EAGAIN then means it
    // is readable already, which is all a signal has to achieve.
    while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WakeEvent::Drain() {
    uint64_t count = 0;
    while (::read(fd_, &count, sizeof count) < 0 && errno == EINTR) {
    }
}
