#pragma once
// A machine that sends every byte it receives straight back: the radio link and
// both sub-module directions in one round trip.

#include <string>
#include <utility>
#include <vector>

#include "sim/SimulatedMachine.h"

class LoopbackMachine : public SimulatedMachine {
public:
    explicit LoopbackMachine(std::string typeName = "UNIVERSAL") : typeName_(std::move(typeName)) {}

    std::string TypeName() const override { return typeName_; }
    void OnLineByte(uint8_t byte) override {
        received_.push_back(byte);
        SendToLine(std::vector<uint8_t>{byte});
    }

    const std::vector<uint8_t>& Received() const { return received_; }
    using SimulatedMachine::SetBusyLine;

private:
    std::string typeName_;
    std::vector<uint8_t> received_;
};
