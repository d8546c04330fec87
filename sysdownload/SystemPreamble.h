#pragma once
// The block a UNIVERSAL machine receives in front of its system program, once
// it has been told to start loading: a run of 0xE9, the machine-side loader,
// and zero padding. Sent with the same '+' stuffing as the program itself.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kSystemPreambleSize = 265;

extern const std::array<uint8_t, kSystemPreambleSize> SystemPreamble;
