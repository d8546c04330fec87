#pragma once
// The terminal with its link jobs on the simulated radio terminal (host module
// and the default seven sub modules 000000000001..000000000007), a recording
// view and the virtual clock. Channels are stored in an in-memory settings store.
// Free of the test framework, so the benchmarks stand on it too (LinkFixture
// is the tests' face of it).

#include <cctype>
#include <string>
#include <vector>

#include "app/CKOVAApp.h"
#include "app/MachineType.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "link/LinkJobs.h"
#include "sim/SimulatedSerialPort.h"
#include "support/RecordingView.h"
#include "support/SimulatedRadioRig.h"
#include "support/TestAppPlatform.h"

class LinkRig : public SimulatedRadioRig {
public:
    LinkRig() {
        app.AttachPlatform(platform);
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        app.PcPort.PcComNo = SimulatedSerialPort::kDefaultDevicePath;
        app.CurrentChannel.Channel = 1;
        port.SetPoster(SimulatedSerialPort::PostTo(
            loop, [this](uint32_t m, uint32_t w, uint32_t l) { terminal.HandleMessage(m, w, l); }));
    }

    // Stores channel `channel` for the sub module `serial` with the machine type's defaults.
    void StoreChannel(int channel, const std::string& serial, const std::string& type) {
        ChannelConfig config;
        config.Channel = channel;
        app.SetDefaultChannelConfig(config);
        int index = FindMachineType(type);
        if (index >= 0) ApplyMachineType(config, MachineTypes[index]);
        config.McType = type;
        config.SubSerial = serial;
        config.McName = "MC" + std::to_string(channel);
        app.SaveChannelConfig(config);
    }

    bool Idle() const { return terminal.Engine.ActiveJobs == 0; }
    // Runs the clock until no job is active (at most maxMs).
    // What was queued last has then also reached the devices.
    bool RunUntilIdle(uint64_t maxMs = 120000) {
        bool idle = loop.RunUntil([this] { return Idle(); }, maxMs);
        loop.RunUntil([this] { return terminal.Tx.Count() == 0 && !host.PcLog().empty(); }, 100);
        loop.RunFor(100);
        return idle && Idle();
    }

    void Post(uint32_t message) { terminal.HandleMessage(message); }

    bool ConfirmHost() {
        Post(WindowMsg::StartHostCheck);
        return RunUntilIdle() && (terminal.StatusFlags & Status::HostConfirmed);
    }
    // Host confirmed, then channel `channel` connected and set up.
    bool ConnectChannel(int channel) {
        view.ChannelToSelect = channel;
        Post(WindowMsg::StartConnect);
        return RunUntilIdle() && (terminal.StatusFlags & Status::SubConnected);
    }

    std::vector<std::string> HostCommands() const { return host.Commands(); }
    std::string PcBytes() const { return std::string(host.PcLog().begin(), host.PcLog().end()); }
    std::vector<uint8_t> RadioBytes(const std::string& serial) {
        SimulatedSubModule* sub = radio.FindSubModule(serial);
        return sub ? sub->RadioLog() : std::vector<uint8_t>{};
    }
    // The status lines without their "%d> " prefix or continuation blanks.
    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> texts;
        for (const std::string& line : view.StatusLines) {
            std::size_t start = line.find("> ");
            if (start != std::string::npos && start < 4 && std::isdigit(static_cast<unsigned char>(line[0]))) {
                texts.push_back(line.substr(start + 2));
            } else {
                texts.push_back(line.substr(line.find_first_not_of(' ')));
            }
        }
        return texts;
    }
    bool Shown(const std::string& text) const {
        for (const std::string& t : StatusTexts())
            if (t == text) return true;
        return false;
    }

    TestAppPlatform platform;
    CKOVAApp app;
    RecordingView view;
    Terminal terminal{app, port, loop, view};
    LinkJobs jobs = AddLinkJobs(terminal);
};
