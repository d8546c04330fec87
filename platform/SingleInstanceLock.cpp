#include "platform/SingleInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kLockName = "Merido Terminal KOVA";

}  // namespace

SingleInstanceLock::SingleInstanceLock(std::string lockFilePath) : path_(std::move(lockFilePath))
{
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (fd_ >= 0) {
        ::close(fd_);   // releases the flock
    }
}

SingleInstanceLock::Result SingleInstanceLock::Acquire()
{
    if (fd_ >= 0) {
        return Result::Acquired;
    }
    int fd = -1;
    do {
        // O_NOFOLLOW: in /tmp another user could plant a link to a file of ours.
        fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return Result::Unavailable;
    }

    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        ::close(fd);
        return Result::Unavailable;
    }

    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

std::string SingleInstanceLock::DefaultPath(const char* runtimeDir, unsigned int userId)
{
    if (runtimeDir != nullptr && runtimeDir[0] != '\0') {
        std::string folder = runtimeDir;
        if (folder.back() != '/') {
            folder += '/';
        }
        return folder + kLockName + ".lock";
    }
    return std::string("/tmp/") + kLockName + "-" + std::to_string(userId) + ".lock";
}

std::string SingleInstanceLock::DefaultPath()
{
    return DefaultPath(std::getenv("XDG_RUNTIME_DIR"), static_cast<unsigned int>(::getuid()));
}
