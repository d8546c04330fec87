#pragma once
// The master side of a pseudo-terminal for kova-sim: the PC opens the slave
// device as its serial port, the simulator reads and writes the master.
//
// The slave starts in raw mode (no echo, no line editing, no CR/LF mapping), so
// the host module's answers are never echoed back into it before the PC has set
// its own termios; whatever the PC sets later is left alone. While no program
// has the slave open the master reports a hang-up: the simulator then keeps
// serving and looks again a little later.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class PseudoTerminal {
public:
    enum class ReadResult { Data, Nothing, HungUp, Failed };

    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair; false with a reason when that fails.
    bool Open(std::string& error);
    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Appends what is waiting on the master to `out`, at most `limit` bytes.
    ReadResult Read(std::vector<uint8_t>& out, size_t limit = SIZE_MAX);
    // Bytes the PC has written that wait to be read.
    size_t Waiting() const;
    // Bits of one character as the PC set the line (start, data, parity, stop).
    int FrameBits() const;
    // Writes what it can now and keeps the rest (bounded) for FlushOutput;
    // with nobody on the slave side the bytes are lost, as on a real line.
    void Write(const uint8_t* data, size_t count);
    void FlushOutput();
    bool HasPendingOutput() const { return !pending_.empty(); }

private:
    int master_ = -1;
    std::string slavePath_;
    std::vector<uint8_t> pending_;
};
