#pragma once
// A machine that never answers: the placeholder for a machine type whose
// protocol is not modelled yet. It keeps what reached it, so tests of the link
// can check what the sub module delivered.

#include <string>
#include <utility>
#include <vector>

#include "sim/SimulatedMachine.h"

class SilentMachine : public SimulatedMachine {
public:
    explicit SilentMachine(std::string typeName = "UNIVERSAL") : typeName_(std::move(typeName)) {}

    std::string TypeName() const override { return typeName_; }
    void OnLineByte(uint8_t byte) override { received_.push_back(byte); }

    const std::vector<uint8_t>& Received() const { return received_; }
    void ClearReceived() { received_.clear(); }

    // Lets a test drive the machine's side by hand.
    using SimulatedMachine::SendToLine;
    using SimulatedMachine::SetBusyLine;

private:
    std::string typeName_;
    std::vector<uint8_t> received_;
};
