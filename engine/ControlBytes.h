#pragma once
// The ASCII control bytes that travel on the machine's line, by name.

#include <cstdint>

namespace ControlByte {
inline constexpr uint8_t Nul = 0x00;
inline constexpr uint8_t Stx = 0x02;         // starts a PANASERT/RS232 frame
inline constexpr uint8_t Etx = 0x03;         // stops a machine; ends a PANASERT/RS232 frame
inline constexpr uint8_t Backspace = 0x08;
inline constexpr uint8_t Lf = 0x0A;
inline constexpr uint8_t Cr = 0x0D;
inline constexpr uint8_t Xon = 0x11;         // DC1
inline constexpr uint8_t Dc2 = 0x12;
inline constexpr uint8_t Xoff = 0x13;        // DC3
inline constexpr uint8_t Dc4 = 0x14;
}  // namespace ControlByte
