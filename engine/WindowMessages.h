#pragma once
// The user window messages through which pages, dialogs and the reader thread
// reach the engine.

#include <cstdint>

namespace WindowMsg {
inline constexpr uint32_t PageChanged = 0x402;
inline constexpr uint32_t StartHostCheck = 0x403;
inline constexpr uint32_t StartClosePort = 0x404;
inline constexpr uint32_t Received = 0x405;
inline constexpr uint32_t LineEvent = 0x406;
inline constexpr uint32_t ReceiveOverflow = 0x407;
inline constexpr uint32_t PortLost = 0x408;
inline constexpr uint32_t StartUpload = 0x409;
inline constexpr uint32_t StartDownload = 0x40A;
inline constexpr uint32_t StartSystemDownload = 0x40B;
inline constexpr uint32_t StartUniversalList = 0x40C;
inline constexpr uint32_t StartScan = 0x40D;
inline constexpr uint32_t ShowStatus = 0x410;
inline constexpr uint32_t SetFocus = 0x411;
inline constexpr uint32_t Key = 0x412;
inline constexpr uint32_t CommFontDialog = 0x413;
inline constexpr uint32_t CommColorDialog = 0x414;
inline constexpr uint32_t ClearComm = 0x415;
inline constexpr uint32_t StatusFontDialog = 0x416;
inline constexpr uint32_t StatusColorDialog = 0x417;
inline constexpr uint32_t ClearStatus = 0x418;
inline constexpr uint32_t SwitchLanguage = 0x419;
inline constexpr uint32_t SwitchPage = 0x41A;
inline constexpr uint32_t IdleTimeChanged = 0x41C;
inline constexpr uint32_t StartConnect = 0x41E;
inline constexpr uint32_t StartDisconnect = 0x41F;
inline constexpr uint32_t Cancel = 0x420;
inline constexpr uint32_t UserStart = 0x421;
inline constexpr uint32_t LineReceived = 0x422;
}  // namespace WindowMsg
