#pragma once
// The host radio module inside the TRX, behind the USB-to-UART bridge.
//
// Command mode: AT commands as lines ending in CR (LF and an empty line are
// ignored, no echo, case-insensitive), each answer framed as CR LF text CR LF:
//   AT                 OK
//   AT+BTINFO?         Address,DeviceName,Mode,LinkState,FirstFlag,SecondFlag,FlowControl then OK
//   AT&F               factory settings, OK
//   ATD<12 hex digits> after the dial time "CONNECT <address>" and data mode, or ERROR
//                      (unknown, out of range or refusing module, already linked, malformed)
//   AT+BTINQ?          one line "<address>,<name>" per sub module in range, spread over
//                      the inquiry time, then OK; ERROR while linked
//   AT+BTCANCEL        ends a dial or an inquiry in progress; OK
//   ATH                hangs up: DISCONNECT while linked; OK otherwise (also ends a dial)
//   ATO                back to data mode of a link that is up: "CONNECT <address>"
//   "+++"              ERROR at once (no CR needed): the module is already in command mode
//   anything else      ERROR
// While a dial or an inquiry runs, only AT+BTCANCEL and ATH are taken; other
// commands are answered ERROR.
//
// Data mode: every byte goes to the linked sub module and back unchanged, except
// the escape: three '+' in a row with nothing between them return to command mode
// at once with OK, the link staying up. Data never forms it because the PC follows
// each data '+' with 0x00; a '+' or two not completed to an escape go on to the sub
// module with the next byte, or after the guard time. If the sub module drops the
// link by itself, the module answers DISCONNECT and returns to command mode.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SimScheduler;
class SimulatedSubModule;

struct HostModuleConfig {
    std::string address = "00000000F001";
    std::string deviceName = "KOVA-TRX";
    std::string mode = "MODE0";
    std::string firstFlag = "0";
    std::string secondFlag = "0";
    std::string flowControl = "HWFC";
};

struct HostModuleTiming {
    uint32_t answerMs = 10;           // command to its answer
    uint32_t dialMs = 1200;           // ATD to CONNECT, or to ERROR when refused
    uint32_t dialFailMs = 5000;       // ATD to ERROR when nobody answers the address
    uint32_t inquiryFirstLineMs = 1500;
    uint32_t inquiryLineGapMs = 700;
    uint32_t inquiryMs = 10000;       // AT+BTINQ? to its OK
    uint32_t radioLatencyMs = 5;      // each way over the radio link
    uint32_t escapeGuardMs = 1000;    // held '+' bytes go on after this
};

class SimulatedHostModule {
public:
    using ByteSink = std::function<void(const uint8_t* data, size_t count)>;

    explicit SimulatedHostModule(SimScheduler& scheduler);
    ~SimulatedHostModule();
    SimulatedHostModule(const SimulatedHostModule&) = delete;
    SimulatedHostModule& operator=(const SimulatedHostModule&) = delete;

    // Where bytes for the PC go (the serial port or the pseudo-terminal);
    // nullptr drops them (nobody listening).
    void SetPcSink(ByteSink sink) { pcSink_ = std::move(sink); }
    // Bytes from the PC.
    void ReceiveFromPc(const uint8_t* data, size_t count);

    // The sub modules that exist (in range or not).
    void SetSubModules(std::vector<SimulatedSubModule*> subModules) { subModules_ = std::move(subModules); }

    // Settings as stored in the module; AT&F restores the factory ones (the
    // address stays).
    const HostModuleConfig& Config() const { return config_; }
    void SetConfig(const HostModuleConfig& config) { config_ = config; }
    HostModuleTiming& Timing() { return timing_; }

    // Fault knobs.
    // A module that takes nothing and answers nothing.
    void SetAnswering(bool answering) { answering_ = answering; }
    bool Answering() const { return answering_; }
    // Every dial is refused (ERROR after the dial time).
    void SetRefuseDials(bool refuse) { refuseDials_ = refuse; }

    bool IsLinked() const { return linked_ != nullptr; }
    bool InDataMode() const { return linked_ != nullptr && dataMode_; }
    SimulatedSubModule* LinkedSubModule() const { return linked_; }
    std::string InfoLine() const;

    // Everything the PC sent, as received, and the command lines taken.
    const std::vector<uint8_t>& PcLog() const { return pcLog_; }
    const std::vector<std::string>& Commands() const { return commands_; }
    void ClearLogs();

private:
    enum class Activity { None, Dialling, Inquiring };

    void CommandByte(uint8_t byte);
    void DataByte(uint8_t byte, std::vector<uint8_t>& toRadio);
    void TakeLine(const std::string& line);
    void Dial(const std::string& address);
    void FinishDial(uint64_t epoch, std::string address);
    void StartInquiry();
    void CancelActivity();
    void Escape();
    void HangUp();
    void OnLinkLost();
    void FlushHeldPluses(std::vector<uint8_t>& toRadio);
    void ForwardToSubModule(std::vector<uint8_t> bytes);
    void ForwardToPc(const uint8_t* data, size_t count);
    // Answers lines after `delayMs`, never ahead of an earlier answer.
    void Reply(std::vector<std::string> lines, uint32_t delayMs);
    void SendToPc(std::vector<uint8_t> bytes, uint32_t delayMs);
    SimulatedSubModule* FindSubModule(const std::string& address) const;

    SimScheduler& scheduler_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    HostModuleConfig config_;
    HostModuleTiming timing_;
    ByteSink pcSink_;
    std::vector<SimulatedSubModule*> subModules_;

    bool answering_ = true;
    bool refuseDials_ = false;

    std::string line_;
    bool lineOverflow_ = false;
    Activity activity_ = Activity::None;
    uint64_t activityEpoch_ = 0;

    SimulatedSubModule* linked_ = nullptr;
    bool dataMode_ = false;
    uint64_t linkEpoch_ = 0;
    int heldPluses_ = 0;
    uint64_t plusEpoch_ = 0;

    uint64_t lastToPcMs_ = 0;
    uint64_t lastToRadioMs_ = 0;

    std::vector<uint8_t> pcLog_;
    std::vector<std::string> commands_;
};
