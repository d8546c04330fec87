#pragma once
// The whole radio terminal as the PC reaches it: the host module and the sub
// modules in the field, each with its machine.
//
// The default population has seven sub modules, 000000000001 to 000000000007,
// serving one machine of each type in the order "DYNA/PERT", "PANASERT/RS232",
// "PANASERT/TTY", "CITIZEN/M10", "TDK/VC5A", "TDK/VC5", "UNIVERSAL"; each
// machine is a SilentMachine until a model of its type is attached.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimulatedHostModule.h"
#include "sim/SimulatedMachine.h"
#include "sim/SimulatedSubModule.h"

class SimScheduler;

struct SubModuleSetup {
    SubModuleConfig config;
    std::string machineType;   // the type of the machine behind it
};

class SimulatedRadio {
public:
    // The default population.
    explicit SimulatedRadio(SimScheduler& scheduler);
    SimulatedRadio(SimScheduler& scheduler, const std::vector<SubModuleSetup>& population);
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    static std::vector<SubModuleSetup> DefaultPopulation();
    // The sub-module type code that goes with a machine type (0 RS232, 1 PNC, 2 VC5).
    static uint8_t TypeCodeFor(std::string_view machineType);

    SimulatedHostModule& Host() { return host_; }
    // Adds a sub module with a SilentMachine of `machineType`.
    SimulatedSubModule& AddSubModule(SubModuleConfig config, const std::string& machineType);
    SimulatedSubModule* FindSubModule(std::string_view address);
    const std::vector<std::unique_ptr<SimulatedSubModule>>& SubModules() const { return subModules_; }
    // Replaces the machine behind the sub module of `address`; false when there is none.
    bool AttachMachine(std::string_view address, std::unique_ptr<SimulatedMachine> machine);

private:
    SimScheduler& scheduler_;
    // Declared before the host: the host is destroyed first and never outlives them.
    std::vector<std::unique_ptr<SimulatedSubModule>> subModules_;
    SimulatedHostModule host_;
};
