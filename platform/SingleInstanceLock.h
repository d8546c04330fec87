#pragma once
// Keeps a second copy of the terminal from running for the same user: an
// exclusive flock on a lock file. The lock goes with the process (or with this
// object), so a crashed copy never leaves a stale lock behind.

#include <string>

class SingleInstanceLock {
public:
    enum class Result {
        Acquired,       // this object holds the lock now
        HeldElsewhere,  // another process (or another holder) has it
        Unavailable,    // the lock file could not be made or is not ours
    };

    explicit SingleInstanceLock(std::string lockFilePath);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Tries once, never waits. Calling it again while holding gives Acquired.
    Result Acquire();
    bool IsHeld() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

    // "<runtimeDir>/Merido Terminal KOVA.lock" when runtimeDir is set and not
    // empty, else "/tmp/Merido Terminal KOVA-<uid>.lock".
    static std::string DefaultPath(const char* runtimeDir, unsigned int userId);
    // The same for this process ($XDG_RUNTIME_DIR, the real user id).
    static std::string DefaultPath();

private:
    std::string path_;
    int fd_ = -1;
};
