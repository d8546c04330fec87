#pragma once
// The machine-side serial line of a sub module, as the PC loads it: a line
// parameter byte (baud code, parity, data bits) and the inter-character delay.

#include <cstdint>

enum class SimParity { None, Odd, Even };

struct SimLineParameters {
    uint32_t baudRate = 9600;
    int dataBits = 8;
    SimParity parity = SimParity::None;
    int delayBits = 0;   // extra bit times after each character sent to the machine

    // Line parameter byte: bits 0-2 baud code (1 4800, 2 2400, 3 1200, 4 600,
    // 5 300, anything else 9600), bit 3 odd parity, bit 4 even parity, bit 5
    // eight data bits (else seven). Bit 7 marks the byte and carries nothing.
    static SimLineParameters FromLineByte(uint8_t byte, int delayBits) {
        static constexpr uint32_t kRates[8] = {9600, 4800, 2400, 1200, 600, 300, 9600, 9600};
        SimLineParameters p;
        p.baudRate = kRates[byte & 0x07];
        // Both parity bits set makes no sense on a UART; odd wins, as the lower bit.
        p.parity = (byte & 0x08) ? SimParity::Odd : (byte & 0x10) ? SimParity::Even : SimParity::None;
        p.dataBits = (byte & 0x20) ? 8 : 7;
        p.delayBits = delayBits;
        return p;
    }

    // Start bit, data, parity and one stop bit.
    int FrameBits() const { return 1 + dataBits + (parity == SimParity::None ? 0 : 1) + 1; }

    // Microseconds one character takes on the line; characters that the sub
    // module sends to the machine are followed by the delay bits.
    uint64_t CharTimeUs(bool withDelay) const {
        uint64_t bits = static_cast<uint64_t>(FrameBits()) + (withDelay ? delayBits : 0);
        return bits * 1000000u / baudRate;
    }

    // Seven-bit lines lose the top bit in both directions.
    uint8_t Mask() const { return dataBits == 7 ? 0x7F : 0xFF; }
};
