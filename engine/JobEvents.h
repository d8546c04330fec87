#pragma once
// Event codes delivered to jobs. Jobs test them bit-wise.

#include <cstdint>

inline constexpr uint32_t EV_CONTINUE = 0x0;     // after a job asked to be called again
inline constexpr uint32_t EV_START = 0x1;        // from StartJob, never filtered
inline constexpr uint32_t EV_DATA = 0x8;         // a batch of received bytes was processed
inline constexpr uint32_t EV_TIMEOUT = 0x10;     // timer 500 expired
inline constexpr uint32_t EV_TX_EMPTY = 0x20;    // the transmit queue ran empty
inline constexpr uint32_t EV_BUSY = 0x40;        // the machine's busy line changed (0xFE / 0xFF)
inline constexpr uint32_t EV_CANCEL = 0x100;     // a cancel button, or a job unwinding on cancel
inline constexpr uint32_t EV_RESUME = 0x200;     // the sub module is ready again (0xFD)
inline constexpr uint32_t EV_USER_START = 0x400; // "Start downloading" pressed
inline constexpr uint32_t EV_LINE = 0x800;       // a complete non-empty line arrived

// The mask jobs start with: cancel, time-out and received data.
inline constexpr uint32_t kDefaultEventMask = EV_CANCEL | EV_TIMEOUT | EV_DATA;
