#include "sim/SimulatedMachine.h"

#include "sim/SimScheduler.h"
#include "sim/SimulatedSubModule.h"

void SimulatedMachine::Attach(SimulatedSubModule* subModule, SimScheduler* scheduler) {
    subModule_ = subModule;
    scheduler_ = scheduler;
    OnAttached();
}

void SimulatedMachine::SendToLine(const std::vector<uint8_t>& bytes) {
    if (subModule_) subModule_->ReceiveFromMachine(bytes.data(), bytes.size());
}

void SimulatedMachine::SendToLine(std::string_view text) {
    if (subModule_)
        subModule_->ReceiveFromMachine(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void SimulatedMachine::SetBusyLine(bool on) {
    if (busy_ == on) return;
    busy_ = on;
    if (subModule_) subModule_->OnMachineBusyLine(on);
}

const SimLineParameters& SimulatedMachine::LineParameters() const {
    static const SimLineParameters kUnattached;
    return subModule_ ? subModule_->LineParameters() : kUnattached;
}

void SimulatedMachine::After(uint32_t delayMs, std::function<void()> task) {
    if (scheduler_) scheduler_->ScheduleFor(alive_, delayMs, std::move(task));
}

void SimulatedMachine::ModuleCommand(uint8_t command, bool dialogueWasOpen) {
    constexpr uint8_t kCloseDialogue = 0x81;
    // Any later command means the PC is still setting the module up.
    uint64_t round = ++operatorRound_;
    if (command != kCloseDialogue || dialogueWasOpen || operatorDelayMs_ == 0) return;
    After(operatorDelayMs_, [this, round] {
        if (round == operatorRound_) OnOperatorStart();
    });
}
