#pragma once
// Bits of StatusFlags, the status word shared by the engine, the receive path
// and the jobs.

#include <cstdint>

namespace Status {
inline constexpr uint32_t LayoutReady = 0x1;          // the window's layout may be applied
inline constexpr uint32_t FileBufferLoaded = 0x2;     // a download's file buffer holds a file
inline constexpr uint32_t EchoArrived = 0x4;          // the byte of ExpectEcho came back
inline constexpr uint32_t LineAvailable = 0x8;        // LastReplyLine holds a fresh line
inline constexpr uint32_t PacingPause = 0x80;         // transmission waits for timer 502
inline constexpr uint32_t LinkIdle = 0x100;           // connected and no job: keys go to the machine
inline constexpr uint32_t ShowReceived = 0x400;       // received text goes to the comm window
inline constexpr uint32_t EchoTransmitted = 0x800;    // sent bytes are echoed to the comm window
inline constexpr uint32_t CtsOn = 0x2000;             // the PC port's CTS line is on
inline constexpr uint32_t NoBreakAfterCr = 0x10000;   // CR after CR starts no new comm line
inline constexpr uint32_t HostConfirmed = 0x4000000;  // host module answers, port usable
inline constexpr uint32_t SubConnected = 0x8000000;   // sub module of CurrentChannel connected
inline constexpr uint32_t SubSetUp = 0x10000000;      // sub module loaded with the line parameters
inline constexpr uint32_t DownloadTime = 0x20000000;  // elapsed / remaining time shown
inline constexpr uint32_t UploadTime = 0x40000000;    // elapsed upload time shown
inline constexpr uint32_t EndAfterClose = 0x80000000; // end the program once the port is closed
}  // namespace Status
