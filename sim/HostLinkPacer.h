#pragma once
// One direction of the UART between the host module and the PC's USB bridge,
// as kova-sim plays it on the pseudo-terminal: a character crosses in one
// character time, characters that wait cross back to back, and a character
// that comes to an idle line needs its full time too. The owner asks how many
// of the waiting characters have crossed by now and hands over only those;
// the rest stay where they wait (for bytes from the PC: in the pseudo-
// terminal's buffer, which then holds the PC as a real UART's handshake would).
//
// Pure arithmetic on a microsecond clock the owner reads, so it runs on the
// virtual clock in tests as it does on the wall clock in kova-sim.

#include <cstddef>
#include <cstdint>

class HostLinkPacer {
public:
    // The host module's UART: 9600 baud.
    static constexpr uint32_t kBaudRate = 9600;

    // Start bit, data bits, parity bit and stop bits of one character.
    explicit HostLinkPacer(int frameBits = 10) { SetFrameBits(frameBits); }
    void SetFrameBits(int frameBits);
    uint64_t CharTimeUs() const { return charTimeUs_; }

    // `waiting` characters wait at nowUs; returns how many of them have
    // crossed by now. The line falls idle when it has carried all that waited.
    size_t Take(uint64_t nowUs, size_t waiting);
    bool Busy() const { return busy_; }
    // Microseconds from nowUs until the next waiting character has crossed
    // (0 when it has), or -1 when the line is idle.
    int64_t UsUntilNext(uint64_t nowUs) const;

private:
    uint64_t charTimeUs_ = 0;
    bool busy_ = false;
    uint64_t nextUs_ = 0;   // when the character on the line has crossed
};
