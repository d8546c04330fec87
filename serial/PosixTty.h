#pragma once
// A terminal device opened for the serial port: the one place that speaks termios
// and the modem-line ioctls. Everything above it sees TtyStatus values, never errno.
//
// The device is held exclusively (TIOCEXCL for ordinary users, an flock for every
// program including root's, which TIOCEXCL lets through). The line settings found
// at open are saved and put back on close, so the device is left as it was found.
//
// Threads: Open and Close on one thread while nothing else uses the object; in
// between, Read/ModemLines/OutputQueued (reader) and Write/ModemLines (UI) may run
// at the same time, since they only use the descriptor.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

enum class TtyStatus {
    Ok,
    WouldBlock,    // nothing to read now
    TimedOut,      // the write time-out ran out before every byte was taken
    NoModemLines,  // a pseudo-terminal: no CTS/DSR to read or DTR to set
    NotFound,
    AccessDenied,
    Busy,  // another program holds the device
    NotATty,
    Unsupported,  // a line setting the device or this port cannot take
    UnsupportedBaudRate,  // a baud rate the device or this port cannot take
    HungUp,       // cable pulled, device gone, or the other end of a pty closed
    Failed,
};

struct TtyLineSettings {
    uint32_t baudRate = 9600;
    int dataBits = 8;  // 7 or 8
    int stopBits = 1;  // 1 gives one stop bit, anything else two
    int parity = 0;    // 1 odd, 2 even, anything else none
};

class PosixTty {
public:
    PosixTty();
    ~PosixTty();  // closes (and restores) a device still open
    PosixTty(const PosixTty&) = delete;
    PosixTty& operator=(const PosixTty&) = delete;

    // Opens `path` non-blocking and exclusively, saves its settings, puts it in raw
    // mode with the line settings and RTS/CTS handshake, raises DTR and discards
    // both queues. On any failure nothing stays open or locked. A device that
    // another program holds (Busy) is left exactly as that program has it: its
    // queues are not discarded and its exclusive mode is not touched.
    TtyStatus Open(const std::string& path, const TtyLineSettings& line);
    // Discards both queues, restores the saved settings, drops the exclusive hold
    // and closes. Harmless when not open.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // The descriptor, for poll(); -1 when closed.
    int Fd() const { return fd_; }

    // Reads what is waiting, at most `capacity` bytes, without blocking. Ok with
    // `got` > 0, WouldBlock when nothing is waiting, HungUp or Failed.
    TtyStatus Read(uint8_t* buffer, size_t capacity, size_t& got);
    // Hands all `count` bytes to the driver, waiting for room at most `timeoutMs`
    // in total. `written` is what the driver took, also on TimedOut/HungUp/Failed.
    TtyStatus Write(const uint8_t* data, size_t count, int timeoutMs, size_t& written);
    // CTS/DSR/RING/carrier as kModem* bits. NoModemLines for a pseudo-terminal.
    TtyStatus ModemLines(uint32_t& status);
    // Bytes still in the driver's output queue (0 for a pseudo-terminal).
    TtyStatus OutputQueued(int& bytes);
    // Received bytes the driver lost since it was loaded: the UART's overruns and
    // its full input buffer. Unsupported when the driver keeps no such counts
    // (a pseudo-terminal never drops: its writer waits instead).
    TtyStatus LostInputCount(uint64_t& lost);
    // Discards both driver queues.
    void Purge();

    // The system's text for the last failed Open, for logs and diagnostics.
    const std::string& LastErrorText() const { return lastErrorText_; }

    // True when `baudRate` is one of the rates the port supports.
    static bool IsSupportedBaudRate(uint32_t baudRate);

private:
    struct SavedSettings;  // the termios record, kept out of this header

    TtyStatus OpenFailed(TtyStatus status, int errorNumber);

    // Releases a descriptor opened for a device this object does not own.
    void Abandon();

    int fd_ = -1;
    bool locked_ = false;
    bool madeExclusive_ = false;  // TIOCEXCL was set by this object
    bool restoreSettings_ = false;
    std::unique_ptr<SavedSettings> saved_;
    std::string lastErrorText_;
};
