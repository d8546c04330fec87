#pragma once
// The serial port to the radio terminal on a Linux tty device.
//
// How it works. Open takes the device exclusively, sets raw mode with the line
// parameters and RTS/CTS handshake, and starts one reader thread. The reader
// sleeps in poll() on the device and on a wake-up descriptor:
//   - received data: it reads blocks of up to 2048 bytes, never more than the
//     receive ring has room for, until the driver has no more, and posts
//     kMsgReceived once for the batch. When the ring is full it holds back: it
//     stops watching the device for data until the UI thread has taken bytes
//     (TakeBlock then wakes it). The driver's buffer fills meanwhile and its
//     handshake (RTS, or a pty writer that waits) holds the sender, so nothing is
//     dropped here. Bytes the driver itself lost (a UART overrun, a peer that
//     ignored RTS) are reported with kMsgReceiveOverflow and their count, where
//     the driver keeps counts (TIOCGICOUNT; a pty keeps none and never drops).
//   - modem lines: on a device that has them it reads them every 20 ms, but only
//     while a write is draining or CTS is off (the transmit queue waits for
//     it), and posts kMsgLineEvent with kLineEventCtsChanged when CTS changed.
//     Idle with CTS on, the reader sleeps until data or a write comes.
//   - transmit empty: after each Write it watches the driver's output queue and
//     posts kMsgLineEvent with kLineEventTxEmpty when the queue has run dry.
//   - hang-up (USB cable pulled, pty master closed): it posts kMsgPortLost once,
//     stops watching the device and only waits to be stopped; from then on Write
//     returns 0.
// Close wakes the reader, joins it, and releases the device as it was found.
//
// Threads: every public function runs on the UI thread; the poster is called on
// the reader thread (and once in Open). The poster must only queue the message:
// calling Close from inside it would wait for the thread that is calling it.
//
// A pseudo-terminal has no modem lines: it reports CTS and DSR on, and its output
// queue is always empty, so transmit-empty follows each Write at once.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "serial/ByteRing.h"
#include "serial/PosixTty.h"
#include "serial/SerialPort.h"
#include "serial/WakeEvent.h"

class CSerialPort : public SerialPort {
public:
    explicit CSerialPort(PortMessagePoster poster);
    // Closes a port that is still open: the window that owns the port may end
    // while a link is up.
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the device at the absolute path `portName`; 1 on success, 0 when the
    // name is not absolute, the device is missing, busy or not a terminal, or a
    // line setting is refused (baud rates 300 to 19200 of the standard series,
    // 7 or 8 data bits). Stop bits: 1 gives one, anything else two. Parity: 1 odd,
    // 2 even, anything else none. A port that was open is closed first. On
    // success kMsgLineEvent (kLineEventCtsChanged, modem status) has been posted.
    int Open(const std::string& portName, uint32_t baudRate, int dataBits, int stopBits,
             int parity) override;
    // Stops and joins the reader, discards both driver queues, restores the
    // device's settings, releases it and empties the receive ring. Harmless when
    // not open or after a failed Open.
    PortOpenFailure LastOpenFailure() const override { return openFailure_; }
    void Close() override;
    bool IsOpen() const override;
    // Hands `count` bytes to the driver and returns how many it took. Waits for
    // room while the line is held (CTS off) up to WriteTimeoutMs; 0 when closed,
    // after a hang-up, or when nothing could be written.
    int Write(const uint8_t* data, int count) override;
    // Takes the oldest received byte; false when none is waiting.
    bool TakeByte(uint8_t& byte) override;
    // Takes up to `capacity` received bytes; a reader held back by a full ring
    // goes on reading.
    size_t TakeBlock(uint8_t* out, size_t capacity) override;
    // The modem status last read (kModem* bits); 0 while closed.
    uint32_t ModemStatus() const override;
    // Reads the modem lines now and remembers them; keeps the last value when
    // the read fails, and returns it.
    uint32_t ReadModemStatus() override;

    // Received bytes not yet taken.
    int ReceivedCount() const;

    // How long a write of `count` bytes may wait: 19200 / baud rate whole
    // milliseconds per byte (1 at 19200, 2 at 9600, 64 at 300).
    static int WriteTimeoutMs(uint32_t baudRate, int count);

private:
    void ReaderLoop(bool watchModemLines, uint32_t modemStatus);
    // Reads until the driver has nothing more (or a batch worth a full ring has
    // come in) and posts for the batch. False when the device has gone.
    bool ReceiveBatch();
    // Notes that the device has gone and posts kMsgPortLost the first time.
    void DeviceLost();
    // Reader side: true when the ring has room; otherwise marks the reader as
    // held back, so that the next take wakes it.
    bool RingHasRoom();
    // UI side, after a take: wakes a reader that is held back.
    void WakeHeldBackReader();
    // Posts kMsgReceiveOverflow with what the driver lost since `reported`.
    void ReportDriverLosses(uint64_t& reported);

    const PortMessagePoster poster_;
    PosixTty tty_;
    WakeEvent wake_;
    std::thread reader_;
    ByteRing receiveRing_;
    uint32_t baudRate_ = 0;
    PortOpenFailure openFailure_ = PortOpenFailure::None;

    std::atomic<bool> running_{false};
    std::atomic<bool> deviceLost_{false};
    std::atomic<bool> heldBack_{false};   // the reader waits for room in the ring
    std::atomic<uint32_t> modemStatus_{0};
    // Counts writes that put bytes into the driver; the reader reports transmit
    // empty for every value it has not yet seen drain.
    std::atomic<uint64_t> writeCount_{0};
};
