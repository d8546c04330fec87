#include <gtest/gtest.h>

#include <fstream>

#include "platform/SerialDeviceScanner.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class SerialDeviceScannerTest : public ::testing::Test {
protected:
    // One class entry as the kernel makes it: a folder, with a `device` link
    // when hardware is behind it and, for UARTs, a `type` file.
    void AddEntry(const std::string& name, bool withDevice, const char* uartType = nullptr)
    {
        const fs::path entry = folder.Path() / "tty" / name;
        fs::create_directories(entry);
        if (withDevice) {
            fs::create_directory_symlink(folder.Path() / "devices", entry / "device");
        }
        if (uartType != nullptr) {
            std::ofstream(entry / "type") << uartType << '\n';
        }
    }

    TempFolder folder;
};

TEST_F(SerialDeviceScannerTest, ListsPortsWithHardwareInNameOrder)
{
    AddEntry("ttyUSB0", true);
    AddEntry("ttyUSB1", false);         // unplugged adapter left behind
    AddEntry("ttyACM0", true);
    AddEntry("ttyS0", true, "4");
    AddEntry("ttyS1", true, "0");       // no UART there
    AddEntry("ttyS2", true, "4");
    AddEntry("ttyS10", true, "4");
    AddEntry("ttyS3", true);            // type unknown
    AddEntry("ttyS4", false, "4");
    AddEntry("tty0", true);             // virtual console
    AddEntry("console", true);

    const SerialDeviceScanner scanner((folder.Path() / "tty").string(), "/dev");
    EXPECT_EQ(scanner.List(), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS2",
                                                        "/dev/ttyS10", "/dev/ttyUSB0"}));
}

TEST_F(SerialDeviceScannerTest, DanglingDeviceLinkStillCounts)
{
    // sysfs links resolve only inside /sys; the link itself is the evidence.
    const fs::path entry = folder.Path() / "tty" / "ttyUSB3";
    fs::create_directories(entry);
    fs::create_symlink(folder.Path() / "nowhere", entry / "device");
    EXPECT_EQ(SerialDeviceScanner((folder.Path() / "tty").string()).List(),
              (std::vector<std::string>{"/dev/ttyUSB3"}));
}

TEST_F(SerialDeviceScannerTest, MissingClassFolderGivesNoPorts)
{
    EXPECT_TRUE(SerialDeviceScanner((folder.Path() / "missing").string()).List().empty());
}

}  // namespace
