#pragma once
// The simulated radio terminal (the host module and the default sub modules)
// behind the simulated PC port, all on the virtual clock: what the link tests
// and the device tests stand on.

#include "sim/SimulatedRadio.h"
#include "sim/SimulatedSerialPort.h"
#include "sim/VirtualClockScheduler.h"
#include "sim/VirtualEventLoop.h"

struct SimulatedRadioRig {
    VirtualEventLoop loop;
    VirtualClockScheduler clock{loop};
    SimulatedRadio radio{clock};
    SimulatedHostModule& host = radio.Host();
    SimulatedSerialPort port{clock, radio.Host()};
};
