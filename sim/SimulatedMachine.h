#pragma once
// An insertion machine at the RS232 port of a sub module. The sub module hands
// it every byte it forwards, one at a time at the pace of the machine's line
// (the line parameters and delay the PC loaded); the machine answers through
// SendToLine and reports its busy line with SetBusyLine. One subclass per
// machine type models that type's line protocol.
//
// A machine is owned by the sub module it is attached to and lives on that sub
// module's scheduler; it may schedule its own work there (Scheduler()).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimLineParameters.h"

class SimScheduler;
class SimulatedSubModule;

class SimulatedMachine {
public:
    virtual ~SimulatedMachine() = default;

    // The machine type this machine speaks ("DYNA/PERT" ...).
    virtual std::string TypeName() const = 0;

    // One byte arrived on the machine's line.
    virtual void OnLineByte(uint8_t byte) = 0;
    // The sub module was loaded with new line parameters.
    virtual void OnLineParametersChanged(const SimLineParameters& parameters) {}
    // The radio link of the sub module to the PC came up or went down.
    virtual void OnLinkChanged(bool up) {}
    // Called once when the machine has been attached (Scheduler() is usable).
    virtual void OnAttached() {}

    // The operator of a machine that sends on its own (a punch output) starts
    // it OperatorDelayMs() after the PC closed the sub module's command
    // dialogue a second time (0x81 while it was closed already) and sent no
    // further command; 0: the operator never starts it.
    void SetOperatorDelayMs(uint32_t ms) { operatorDelayMs_ = ms; }
    uint32_t OperatorDelayMs() const { return operatorDelayMs_; }
    static constexpr uint32_t kDefaultOperatorDelayMs = 1500;

protected:
    // The operator pressed the machine's output start.
    virtual void OnOperatorStart() {}

    // Sends bytes towards the PC through the sub module (paced by the line).
    void SendToLine(const std::vector<uint8_t>& bytes);
    void SendToLine(std::string_view text);
    // The machine's busy line (on = busy); the sub module reports changes when asked to.
    void SetBusyLine(bool on);
    bool BusyLine() const { return busy_; }

    bool IsAttached() const { return subModule_ != nullptr; }
    // Valid once attached.
    SimScheduler& Scheduler() const { return *scheduler_; }
    // Runs `task` after `delayMs` on the sub module's clock, unless the machine
    // is gone by then (a machine replaced or destroyed with work still pending).
    void After(uint32_t delayMs, std::function<void()> task);
    const SimLineParameters& LineParameters() const;

private:
    friend class SimulatedSubModule;
    void Attach(SimulatedSubModule* subModule, SimScheduler* scheduler);
    // The sub module took a command byte from the PC.
    void ModuleCommand(uint8_t command, bool dialogueWasOpen);

    uint32_t operatorDelayMs_ = kDefaultOperatorDelayMs;
    uint64_t operatorRound_ = 0;

    SimulatedSubModule* subModule_ = nullptr;
    SimScheduler* scheduler_ = nullptr;
    bool busy_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
