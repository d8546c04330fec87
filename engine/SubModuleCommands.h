#pragma once
// The sub module's single-byte vocabulary. Commands have the top bit set and
// are queued like data; most are echoed, which is how a job knows the module
// took them (Terminal::ExpectEcho). Reports are bytes the module sends on its
// own once a command has turned them on.

#include <cstdint>

namespace SubModuleCommand {
// Sent eight times before the dialogue opens; no answer.
inline constexpr uint8_t Preamble = 0x80;
// Opens and closes the command dialogue that the set-up runs in.
inline constexpr uint8_t OpenDialogue = 0x88;
inline constexpr uint8_t CloseDialogue = 0x81;
// Drops what still waits to go to the machine; no answer.
inline constexpr uint8_t DropPendingOutput = 0x82;
// Answered with one byte: 0x80 | the firmware version in tenths, 0x80 | the type code.
inline constexpr uint8_t ReadVersion = 0x83;
inline constexpr uint8_t ReadType = 0x84;

// Each is echoed, then takes one value byte (echoed too). Firmware up to 3.0
// knows them by older codes.
inline constexpr uint8_t LineParameters = 0x96;
inline constexpr uint8_t LineParametersOldFirmware = 0xC2;
inline constexpr uint8_t CharacterDelay = 0x95;
inline constexpr uint8_t CharacterDelayOldFirmware = 0xC1;

// Machine-type options: the set-up sends one byte of each pair, picked by the
// machine type. Which types take which byte is what this program relies on.
// First pair: PANASERT/TTY, TDK/VC5 and TDK/VC5A, or every other type (also
// the byte a disconnect leaves the module with).
inline constexpr uint8_t FirstOptionTtyAndVc5 = 0x93;
inline constexpr uint8_t FirstOptionOthers = 0x94;
// Second pair: UNIVERSAL, or every other type.
inline constexpr uint8_t SecondOptionUniversal = 0x8D;
inline constexpr uint8_t SecondOptionOthers = 0x8C;
// Sent to every machine type between the second and the third pair.
inline constexpr uint8_t SetupStep = 0x98;
// Third pair: PANASERT/TTY and TDK/VC5, or every other type.
inline constexpr uint8_t ThirdOptionTtyAndVc5 = 0x91;
inline constexpr uint8_t ThirdOptionOthers = 0x92;
// Stores the set-up; its echo comes once stored, later than the others'.
inline constexpr uint8_t StoreSetup = 0x87;

// From here on every byte goes to the machine unread, until the link drops
// (system programs are raw bytes); no answer.
inline constexpr uint8_t Transparent = 0x89;

// Turn the reports below on and off; echoed.
inline constexpr uint8_t BusyReportsOn = 0x8E;
inline constexpr uint8_t BusyReportsOff = 0x8F;
// Firmware 4.0 and newer only.
inline constexpr uint8_t ReadyReportsOn = 0x9A;
inline constexpr uint8_t ReadyReportsOff = 0x9B;
}  // namespace SubModuleCommand

namespace SubModuleReport {
// The module can take more data for the machine (ready reports).
inline constexpr uint8_t Ready = 0xFD;
// The machine's busy line went off or on (busy reports).
inline constexpr uint8_t MachineNotBusy = 0xFE;
inline constexpr uint8_t MachineBusy = 0xFF;
}  // namespace SubModuleReport
