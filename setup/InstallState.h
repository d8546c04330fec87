#pragma once
// What is installed, as four flags worked out from the file system after
// every action (the installer keeps no state of its own):
//
//   1  the auto start entry starts the installed program and is not hidden
//   2  the auto start entry starts the installed program and is hidden
//   4  the USB-UART udev rule is in place (names the CP210x, 10c4:ea60)
//   8  the installed program file exists
//
// Texts are compared upper-cased; a file that cannot be read counts as unequal.

#include "setup/SetupPaths.h"

class InstallState {
public:
    enum Flag : unsigned {
        AutoStart = 1,
        AutoStartDisabled = 2,
        Driver = 4,
        Program = 8,
    };

    InstallState() = default;
    explicit InstallState(unsigned flags) : flags_(flags) {}

    static InstallState WorkOut(const SetupPaths& paths);

    unsigned Flags() const { return flags_; }
    bool Has(Flag flag) const { return (flags_ & flag) != 0; }
    bool AutoStartSet() const { return Has(AutoStart) || Has(AutoStartDisabled); }

private:
    unsigned flags_ = 0;
};
