#pragma once
// Lists the serial ports that have hardware behind them, from sysfs: entries
// of the tty class folder that carry a `device` link and are a USB serial
// adapter (ttyUSB*), a USB modem-class device (ttyACM*) or an on-board UART
// whose type is known (ttyS* with a `type` other than 0; the kernel creates
// ttyS0..31 whether or not a UART exists).

#include <string>
#include <string_view>
#include <vector>

class SerialDeviceScanner {
public:
    explicit SerialDeviceScanner(std::string sysfsTtyRoot = "/sys/class/tty",
                                 std::string deviceFolder = "/dev");

    // Device paths ("/dev/ttyUSB0"), in name order with numbers compared by
    // value (ttyS2 before ttyS10). Empty when the root cannot be read.
    std::vector<std::string> List() const;

    // Name order with digit runs compared as numbers.
    static bool NaturalLess(std::string_view a, std::string_view b);

private:
    bool IsSerialDevice(const std::string& name) const;

    std::string root_;
    std::string deviceFolder_;
};
