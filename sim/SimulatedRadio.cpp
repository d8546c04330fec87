#include "sim/SimulatedRadio.h"

#include <cstdio>

#include "sim/SilentMachine.h"

SimulatedRadio::SimulatedRadio(SimScheduler& scheduler)
    : SimulatedRadio(scheduler, DefaultPopulation()) {}

SimulatedRadio::SimulatedRadio(SimScheduler& scheduler,
                               const std::vector<SubModuleSetup>& population)
    : scheduler_(scheduler), host_(scheduler) {
    for (const SubModuleSetup& setup : population) AddSubModule(setup.config, setup.machineType);
}

std::vector<SubModuleSetup> SimulatedRadio::DefaultPopulation() {
    static const char* const kTypes[] = {"DYNA/PERT",  "PANASERT/RS232", "PANASERT/TTY",
                                         "CITIZEN/M10", "TDK/VC5A",       "TDK/VC5",
                                         "UNIVERSAL"};
    std::vector<SubModuleSetup> population;
    int number = 1;
    for (const char* type : kTypes) {
        char address[16];
        std::snprintf(address, sizeof address, "%012d", number);
        char name[16];
        std::snprintf(name, sizeof name, "SUB-%02d", number);
        SubModuleSetup setup;
        setup.config.address = address;
        setup.config.deviceName = name;
        setup.config.typeCode = TypeCodeFor(type);
        setup.config.version = 40;
        setup.machineType = type;
        population.push_back(setup);
        ++number;
    }
    return population;
}

uint8_t SimulatedRadio::TypeCodeFor(std::string_view machineType) {
    if (machineType == "PANASERT/TTY") return 1;
    if (machineType == "TDK/VC5" || machineType == "TDK/VC5A") return 2;
    return 0;
}

SimulatedSubModule& SimulatedRadio::AddSubModule(SubModuleConfig config,
                                                 const std::string& machineType) {
    auto sub = std::make_unique<SimulatedSubModule>(scheduler_, std::move(config));
    sub->AttachMachine(std::make_unique<SilentMachine>(machineType));
    subModules_.push_back(std::move(sub));
    std::vector<SimulatedSubModule*> all;
    for (const auto& s : subModules_) all.push_back(s.get());
    host_.SetSubModules(std::move(all));
    return *subModules_.back();
}

SimulatedSubModule* SimulatedRadio::FindSubModule(std::string_view address) {
    for (const auto& sub : subModules_) {
        if (sub->Address() == address) return sub.get();
    }
    return nullptr;
}

bool SimulatedRadio::AttachMachine(std::string_view address,
                                   std::unique_ptr<SimulatedMachine> machine) {
    SimulatedSubModule* sub = FindSubModule(address);
    if (!sub) return false;
    sub->AttachMachine(std::move(machine));
    return true;
}
