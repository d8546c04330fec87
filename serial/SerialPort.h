#pragma once
// The serial port as the engine sees it. How it works: the port owns one reader
// (a thread for the real device, the virtual clock for the simulator) that moves
// received bytes into a receive ring and posts window messages to the UI thread
// through the poster given at construction:
//   kMsgReceived      (0x405, 0, 0)          after a batch of bytes was stored
//   kMsgLineEvent     (0x406, mask, modem)   transmit empty (0x4) and/or CTS changed (0x8)
//   kMsgReceiveOverflow (0x407, 0, lost)     received bytes were lost before the port could
//                                            store them (lParam: how many, 0 when unknown)
//   kMsgPortLost        (0x408, 0, 0)        the device went away (unplugged, peer closed);
//                                            posted once, the port stays open until Close
// Everything else (open, close, write, taking bytes) happens on the UI thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

inline constexpr uint32_t kMsgReceived = 0x405;
inline constexpr uint32_t kMsgLineEvent = 0x406;
inline constexpr uint32_t kMsgReceiveOverflow = 0x407;
inline constexpr uint32_t kMsgPortLost = 0x408;

// Line events reported with kMsgLineEvent.
inline constexpr uint32_t kLineEventTxEmpty = 0x4;
inline constexpr uint32_t kLineEventCtsChanged = 0x8;

// Modem status bits.
inline constexpr uint32_t kModemCts = 0x10;
inline constexpr uint32_t kModemDsr = 0x20;
inline constexpr uint32_t kModemRing = 0x40;
inline constexpr uint32_t kModemRlsd = 0x80;

// Parity codes for Open.
inline constexpr int kParityNone = 0;
inline constexpr int kParityOdd = 1;
inline constexpr int kParityEven = 2;

// Why the last Open failed, as far as the operator can act on it.
enum class PortOpenFailure {
    None,         // the last Open succeeded
    InUse,        // another program holds the device
    BaudRate,     // the device cannot be set to the baud rate asked for
    Other,        // missing, no access, not a terminal, a setting refused, ...
};

// Thread-safe hand-over of a message to the UI thread (never waits for it).
using PortMessagePoster = std::function<void(uint32_t message, uint32_t wParam, uint32_t lParam)>;

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device with the line parameters; 1 on success, 0 on failure
    // (nothing stays open). Posts kMsgLineEvent with kLineEventCtsChanged once
    // after a successful open.
    virtual int Open(const std::string& portName, uint32_t baudRate, int dataBits, int stopBits,
                     int parity) = 0;
    // Why the last Open returned 0 (None after a successful one).
    virtual PortOpenFailure LastOpenFailure() const { return PortOpenFailure::Other; }
    // Stops the reader and releases the device; harmless when not open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes and returns the number of bytes the device accepted (0 when closed
    // or on failure).
    virtual int Write(const uint8_t* data, int count) = 0;
    // Takes one received byte; false when the receive ring is empty.
    virtual bool TakeByte(uint8_t& byte) = 0;
    // Takes up to `capacity` received bytes, oldest first, and returns how many
    // it took (0 when none is waiting). The receive path uses this; a port with
    // a ring takes the block in one piece, others may keep this byte-wise one.
    virtual size_t TakeBlock(uint8_t* out, size_t capacity) {
        size_t n = 0;
        while (n < capacity && TakeByte(out[n])) ++n;
        return n;
    }
    // Last modem status read by the reader (kModem* bits).
    virtual uint32_t ModemStatus() const = 0;
    // Reads the modem status from the device now (and remembers it).
    virtual uint32_t ReadModemStatus() = 0;
};
