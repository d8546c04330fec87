#include "platform/SerialDeviceScanner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

SerialDeviceScanner::SerialDeviceScanner(std::string sysfsTtyRoot, std::string deviceFolder)
    : root_(std::move(sysfsTtyRoot)), deviceFolder_(std::move(deviceFolder))
{
}

bool SerialDeviceScanner::IsSerialDevice(const std::string& name) const
{
    const fs::path entry = fs::path(root_) / name;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(entry / "device", error))) {
        return false;
    }
    if (StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM")) {
        return true;
    }
    if (!StartsWith(name, "ttyS")) {
        return false;
    }
    std::ifstream typeFile(entry / "type");
    long type = 0;
    return static_cast<bool>(typeFile >> type) && type != 0;
}

std::vector<std::string> SerialDeviceScanner::List() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsSerialDevice(name)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });

    std::vector<std::string> devices;
    devices.reserve(names.size());
    for (const std::string& name : names) {
        devices.push_back((fs::path(deviceFolder_) / name).string());
    }
    return devices;
}

bool SerialDeviceScanner::NaturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && IsDigit(a[endA])) {
                ++endA;
            }
            while (endB < b.size() && IsDigit(b[endB])) {
                ++endB;
            }
            // Compare by value without converting: skip leading zeros, then
            // the longer run is larger, then digit by digit.
            std::string_view runA = a.substr(i, endA - i);
            std::string_view runB = b.substr(j, endB - j);
            const auto stripZeros = [](std::string_view run) {
                const std::size_t first = run.find_first_not_of('0');
                return first == std::string_view::npos ? std::string_view() : run.substr(first);
            };
            const std::string_view valueA = stripZeros(runA);
            const std::string_view valueB = stripZeros(runB);
            if (valueA.size() != valueB.size()) {
                return valueA.size() < valueB.size();
            }
            if (valueA != valueB) {
                return valueA < valueB;
            }
            if (runA.size() != runB.size()) {
                return runA.size() < runB.size();
            }
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}
