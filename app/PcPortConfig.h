#pragma once
// The PC side of the link: the port of the radio terminal. The line is always
// 9600 baud, 8 data bits, 2 stop bits, no parity; no setting changes it.

#include <string>

struct PcPortConfig {
    std::string PcComNo = "Auto";   // "Auto" (search the ports) or one device path
    std::string BaudRate = "9600";
    std::string DataBit = "8";
    std::string StopBit = "2";
    std::string ParityBit = "NONE";
    int DisconnectTime = 0;         // idle seconds before the link is dropped; 0 = never
    std::string PortName;           // the port actually opened (set by the port code)
};
