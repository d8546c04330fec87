#pragma once
// A descriptor that poll() can wait on beside the device, so another thread can
// wake the reader at once (to stop it, or to look at a write it just made)
// instead of the reader polling on a short timer.

class WakeEvent {
public:
    WakeEvent() = default;
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    // Creates the descriptor; false when the system refuses one.
    bool Create();
    // Releases the descriptor; harmless when there is none.
    void Release();
    // The descriptor to poll for POLLIN; -1 when there is none.
    int Fd() const { return fd_; }
    // Makes the descriptor readable until the next Drain. Safe from any thread.
    void Signal();
    // Resets it to not readable. Called by the waiting thread after poll().
    void Drain();

private:
    int fd_ = -1;
};
