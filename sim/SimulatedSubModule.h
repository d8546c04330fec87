#pragma once
// The radio module plugged into a machine's RS232 port.
//
// Towards the radio (the PC, through the host module's transparent link) it
// speaks a single-byte command set: every byte with the top bit set is a
// command, everything else is data for the machine.
//   0x80            preamble, no answer (also completes a pending parameter)
//   0x81            closes the command dialogue, no answer
//   0x82            drops what still waits for the machine, no answer
//   0x83 / 0x84     answered with 0x80 | version / 0x80 | type code (never 0)
//   0x87            stores the set-up; echoed once stored (slower than the rest)
//   0x88            opens the command dialogue; echoed
//   0x89            transparent from here on (binary system programs) until the link drops;
//                   the machine gets whole bytes whatever the data bits
//   0x8C 0x8D 0x91 0x92 0x93 0x94 0x98   machine-type options; echoed
//   0x8E / 0x8F     busy-line reports on / off (0xFF busy, 0xFE not busy); echoed
//   0x96 (0xC2 on version 3.0 and older)  echoed, then takes the line parameter byte (echoed)
//   0x95 (0xC1 on version 3.0 and older)  echoed, then takes the delay byte (echoed, at most 200)
//   0x9A / 0x9B     ready reports on / off, version 4.0 and newer only: 0xFD
//                   each time everything sent to the machine has gone out; echoed
// Any other command byte is ignored. The PC follows every '+' it sends with
// 0x00 so that data can never form the host's escape; the sub module drops that
// 0x00 and stuffs the same way whatever it sends back.
//
// Towards the machine it forwards data at the loaded line parameters, each
// character followed by the delay bits, and carries the machine's answers back.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimLineParameters.h"
#include "sim/SimulatedMachine.h"

class SimScheduler;

struct SubModuleConfig {
    std::string address;      // 12 hexadecimal digits
    std::string deviceName;   // shown by the host's inquiry
    uint8_t typeCode = 0;     // answer to 0x84 (0 RS232, 1 PNC, 2 VC5)
    uint8_t version = 40;     // answer to 0x83, in tenths; at most 124
};

// The last choice of each option pair the PC made (their meaning is the
// machine's business; the simulator only keeps them).
struct SubModuleOptions {
    uint8_t option93or94 = 0x94;
    uint8_t option8Cor8D = 0x8C;
    uint8_t option91or92 = 0x92;
    bool step98 = false;
    bool stored87 = false;
};

class SimulatedSubModule {
public:
    using ByteSink = std::function<void(const uint8_t* data, size_t count)>;

    SimulatedSubModule(SimScheduler& scheduler, SubModuleConfig config);
    ~SimulatedSubModule();
    SimulatedSubModule(const SimulatedSubModule&) = delete;
    SimulatedSubModule& operator=(const SimulatedSubModule&) = delete;

    const SubModuleConfig& Config() const { return config_; }
    const std::string& Address() const { return config_.address; }
    void SetVersion(uint8_t version) { config_.version = version; }
    void SetTypeCode(uint8_t typeCode) { config_.typeCode = typeCode; }

    // Fault knobs.
    // Out of range: the inquiry does not find it and a dial fails; a link that
    // is up drops (the host reports it).
    void SetInRange(bool inRange);
    bool InRange() const { return inRange_; }
    // The module refuses to be dialled (the host answers "ERROR").
    void SetRefusesDial(bool refuses) { refusesDial_ = refuses; }
    bool RefusesDial() const { return refusesDial_; }
    // Lets the module take `commands` more command or parameter bytes (the
    // preamble 0x80 does not count); after that its command processor has
    // stopped: no echoes, no replies, no effect. Data still flows. -1: no limit.
    void SetCommandLimit(int commands) { commandsLeft_ = commands; }
    void SetMuted(bool muted) { commandsLeft_ = muted ? 0 : -1; }
    bool Muted() const { return commandsLeft_ == 0; }
    // Time from a command to its echo, and for 0x87 (stores the set-up).
    void SetAnswerDelayMs(uint32_t ms) { answerDelayMs_ = ms; }
    void SetStoreDelayMs(uint32_t ms) { storeDelayMs_ = ms; }

    // The machine at the module's RS232 port (replaces any earlier one).
    void AttachMachine(std::unique_ptr<SimulatedMachine> machine);
    SimulatedMachine* Machine() const { return machine_.get(); }

    // Radio side, used by the host module.
    bool AcceptsLink() const { return inRange_ && !refusesDial_ && !linked_; }
    // The link is up: bytes for the PC go to `toRadio`; `onLost` is called if
    // the module drops the link by itself (out of range).
    void LinkUp(ByteSink toRadio, std::function<void()> onLost);
    // The host hung up (or lost the link): command state and reports are reset;
    // the loaded line parameters stay.
    void LinkDown();
    bool IsLinked() const { return linked_; }
    void ReceiveFromRadio(const uint8_t* data, size_t count);

    // Machine side, used by SimulatedMachine.
    void ReceiveFromMachine(const uint8_t* data, size_t count);
    void OnMachineBusyLine(bool on);

    // What the PC has loaded.
    const SimLineParameters& LineParameters() const { return line_; }
    uint8_t LineParameterByte() const { return lineByte_; }   // 0 until loaded
    const SubModuleOptions& Options() const { return options_; }
    bool ReadyReports() const { return readyReports_; }
    bool BusyReports() const { return busyReports_; }
    bool Transparent() const { return transparent_; }
    bool InCommandDialogue() const { return dialogue_; }
    // Bytes still on their way to the machine.
    size_t PendingToMachine() const { return pendingToMachine_; }

    // Every byte that came over the radio, as received (stuffing included).
    const std::vector<uint8_t>& RadioLog() const { return radioLog_; }
    void ClearRadioLog() { radioLog_.clear(); }

private:
    enum class Pending { None, LineByte, DelayByte };

    void TakeCommand(uint8_t command);
    void TakeParameter(uint8_t value);
    // Uses up one command of the limit; false when the module no longer takes any.
    bool TakesCommand();
    void Answer(uint8_t byte, uint32_t delayMs);
    // Sends to the radio after `delayMs`, never ahead of what was sent before.
    void Emit(std::vector<uint8_t> bytes, uint32_t delayMs);
    void ToMachine(uint8_t byte);
    void FlushToMachine();
    void LineChanged();
    uint64_t NowUs() const;

    SimScheduler& scheduler_;
    SubModuleConfig config_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    std::unique_ptr<SimulatedMachine> machine_;

    bool inRange_ = true;
    bool refusesDial_ = false;
    int commandsLeft_ = -1;
    uint32_t answerDelayMs_ = 2;
    uint32_t storeDelayMs_ = 150;

    bool linked_ = false;
    uint64_t linkEpoch_ = 0;
    ByteSink toRadio_;
    std::function<void()> onLost_;
    uint64_t lastEmitMs_ = 0;

    bool previousWasPlus_ = false;
    Pending pending_ = Pending::None;
    bool dialogue_ = false;
    bool transparent_ = false;
    bool readyReports_ = false;
    bool busyReports_ = false;

    SimLineParameters line_;
    uint8_t lineByte_ = 0;
    SubModuleOptions options_;

    uint64_t machineEpoch_ = 0;
    size_t pendingToMachine_ = 0;
    uint64_t toMachineFreeUs_ = 0;
    uint64_t fromMachineFreeUs_ = 0;

    std::vector<uint8_t> radioLog_;
};
