#include "sim/SimulatedHostModule.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "sim/SimScheduler.h"
#include "sim/SimulatedSubModule.h"

namespace {

constexpr uint8_t kPlus = '+';
constexpr size_t kMaxLine = 128;
constexpr size_t kAddressLength = 12;

bool IsAddress(const std::string& text) {
    return text.size() == kAddressLength &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// Commands are matched without blanks and in upper case, as modems do.
std::string Normalised(const std::string& line) {
    std::string out;
    for (unsigned char c : line)
        if (c != ' ') out.push_back(static_cast<char>(std::toupper(c)));
    return out;
}

}  // namespace

SimulatedHostModule::SimulatedHostModule(SimScheduler& scheduler) : scheduler_(scheduler) {}

SimulatedHostModule::~SimulatedHostModule() = default;

void SimulatedHostModule::ClearLogs() {
    pcLog_.clear();
    commands_.clear();
}

std::string SimulatedHostModule::InfoLine() const {
    return config_.address + "," + config_.deviceName + "," + config_.mode + "," +
           (IsLinked() ? "CONNECTED" : "STANDBY") + "," + config_.firstFlag + "," +
           config_.secondFlag + "," + config_.flowControl;
}

void SimulatedHostModule::ReceiveFromPc(const uint8_t* data, size_t count) {
    pcLog_.insert(pcLog_.end(), data, data + count);
    if (!answering_) return;
    std::vector<uint8_t> toRadio;
    for (size_t i = 0; i < count; ++i) {
        if (InDataMode()) {
            DataByte(data[i], toRadio);
        } else {
            CommandByte(data[i]);
        }
    }
    ForwardToSubModule(std::move(toRadio));
}

void SimulatedHostModule::DataByte(uint8_t byte, std::vector<uint8_t>& toRadio) {
    if (byte != kPlus) {
        FlushHeldPluses(toRadio);
        toRadio.push_back(byte);
        return;
    }
    if (++heldPluses_ == 3) {
        heldPluses_ = 0;
        ++plusEpoch_;
        ForwardToSubModule(std::move(toRadio));
        toRadio.clear();
        Escape();
        return;
    }
    // A lone '+' is data after all if nothing completes the escape in time.
    uint64_t epoch = ++plusEpoch_;
    scheduler_.ScheduleFor(alive_, timing_.escapeGuardMs, [this, epoch] {
        if (epoch != plusEpoch_ || !InDataMode()) return;
        std::vector<uint8_t> held;
        FlushHeldPluses(held);
        ForwardToSubModule(std::move(held));
    });
}

void SimulatedHostModule::FlushHeldPluses(std::vector<uint8_t>& toRadio) {
    toRadio.insert(toRadio.end(), static_cast<size_t>(heldPluses_), kPlus);
    heldPluses_ = 0;
    ++plusEpoch_;
}

void SimulatedHostModule::Escape() {
    dataMode_ = false;
    line_.clear();
    lineOverflow_ = false;
    Reply({"OK"}, timing_.answerMs);
}

void SimulatedHostModule::CommandByte(uint8_t byte) {
    if (byte == '\r') {
        std::string line = std::move(line_);
        bool overflow = lineOverflow_;
        line_.clear();
        lineOverflow_ = false;
        if (overflow) {
            Reply({"ERROR"}, timing_.answerMs);
        } else {
            TakeLine(line);
        }
        return;
    }
    if (byte == 0x08) {
        if (!line_.empty()) line_.pop_back();
        return;
    }
    if (byte < 0x20 || byte >= 0x7F) return;   // LF and other control bytes
    if (line_.size() >= kMaxLine) {
        lineOverflow_ = true;
        return;
    }
    line_.push_back(static_cast<char>(byte));
    // An escape sent to a module that is already in command mode is refused
    // at once: the PC sends it without a CR.
    if (line_ == "+++") {
        line_.clear();
        Reply({"ERROR"}, timing_.answerMs);
    }
}

void SimulatedHostModule::TakeLine(const std::string& line) {
    std::string command = Normalised(line);
    if (command.empty()) return;
    commands_.push_back(line);
    const uint32_t answerMs = timing_.answerMs;

    if (activity_ != Activity::None) {
        if (command == "AT+BTCANCEL" || command == "ATH" || command == "ATH0") {
            CancelActivity();
            Reply({"OK"}, answerMs);
        } else {
            Reply({"ERROR"}, answerMs);
        }
        return;
    }
    if (command == "AT") {
        Reply({"OK"}, answerMs);
    } else if (command == "ATH" || command == "ATH0") {
        if (IsLinked()) {
            HangUp();
            Reply({"DISCONNECT"}, answerMs);
        } else {
            Reply({"OK"}, answerMs);
        }
    } else if (command == "AT+BTINFO?") {
        Reply({InfoLine(), "OK"}, answerMs);
    } else if (command == "AT&F") {
        // Factory settings restart the radio, so a link that is up goes down.
        if (IsLinked()) HangUp();
        HostModuleConfig factory;
        factory.address = config_.address;
        config_ = factory;
        Reply({"OK"}, answerMs);
    } else if (command.rfind("ATD", 0) == 0) {
        Dial(command.substr(3));
    } else if (command == "AT+BTINQ?") {
        if (IsLinked()) {
            Reply({"ERROR"}, answerMs);
        } else {
            StartInquiry();
        }
    } else if (command == "AT+BTCANCEL") {
        Reply({"OK"}, answerMs);
    } else if (command == "ATO" || command == "ATO0") {
        if (IsLinked()) {
            dataMode_ = true;
            Reply({"CONNECT " + linked_->Address()}, answerMs);
        } else {
            Reply({"ERROR"}, answerMs);
        }
    } else {
        Reply({"ERROR"}, answerMs);
    }
}

SimulatedSubModule* SimulatedHostModule::FindSubModule(const std::string& address) const {
    for (SimulatedSubModule* sub : subModules_) {
        if (Normalised(sub->Address()) == address) return sub;
    }
    return nullptr;
}

void SimulatedHostModule::Dial(const std::string& address) {
    if (!IsAddress(address) || IsLinked()) {
        Reply({"ERROR"}, timing_.answerMs);
        return;
    }
    activity_ = Activity::Dialling;
    uint64_t epoch = ++activityEpoch_;
    SimulatedSubModule* sub = FindSubModule(address);
    // A module that is there answers (or refuses) quickly; nobody answering
    // takes the full page time.
    uint32_t delay = (sub && sub->InRange()) ? timing_.dialMs : timing_.dialFailMs;
    scheduler_.ScheduleFor(alive_, delay, [this, epoch, address] { FinishDial(epoch, address); });
}

void SimulatedHostModule::FinishDial(uint64_t epoch, std::string address) {
    if (epoch != activityEpoch_ || activity_ != Activity::Dialling) return;
    activity_ = Activity::None;
    SimulatedSubModule* sub = FindSubModule(address);
    if (!sub || !sub->AcceptsLink() || refuseDials_) {
        Reply({"ERROR"}, 0);
        return;
    }
    linked_ = sub;
    dataMode_ = true;
    heldPluses_ = 0;
    uint64_t link = ++linkEpoch_;
    std::weak_ptr<int> host = alive_;
    sub->LinkUp(
        [this, host, link](const uint8_t* data, size_t count) {
            if (host.lock() && link == linkEpoch_) ForwardToPc(data, count);
        },
        [this, host, link] {
            if (host.lock() && link == linkEpoch_) OnLinkLost();
        });
    Reply({"CONNECT " + sub->Address()}, 0);
}

void SimulatedHostModule::StartInquiry() {
    activity_ = Activity::Inquiring;
    uint64_t epoch = ++activityEpoch_;
    uint32_t at = timing_.inquiryFirstLineMs;
    for (SimulatedSubModule* sub : subModules_) {
        scheduler_.ScheduleFor(alive_, at, [this, epoch, sub] {
            if (epoch != activityEpoch_ || !sub->InRange()) return;
            Reply({sub->Address() + "," + sub->Config().deviceName}, 0);
        });
        at += timing_.inquiryLineGapMs;
    }
    uint32_t end = std::max(timing_.inquiryMs, at);
    scheduler_.ScheduleFor(alive_, end, [this, epoch] {
        if (epoch != activityEpoch_) return;
        activity_ = Activity::None;
        Reply({"OK"}, 0);
    });
}

void SimulatedHostModule::CancelActivity() {
    ++activityEpoch_;
    activity_ = Activity::None;
}

void SimulatedHostModule::HangUp() {
    SimulatedSubModule* sub = linked_;
    linked_ = nullptr;
    dataMode_ = false;
    heldPluses_ = 0;
    ++linkEpoch_;
    if (sub) sub->LinkDown();
}

void SimulatedHostModule::OnLinkLost() {
    linked_ = nullptr;
    dataMode_ = false;
    heldPluses_ = 0;
    ++linkEpoch_;
    line_.clear();
    Reply({"DISCONNECT"}, timing_.radioLatencyMs);
}

void SimulatedHostModule::ForwardToSubModule(std::vector<uint8_t> bytes) {
    if (bytes.empty() || !linked_) return;
    uint64_t now = scheduler_.Now();
    uint64_t due = std::max(now + timing_.radioLatencyMs, lastToRadioMs_);
    lastToRadioMs_ = due;
    uint64_t link = linkEpoch_;
    SimulatedSubModule* sub = linked_;
    scheduler_.ScheduleFor(alive_, static_cast<uint32_t>(due - now),
                           [this, link, sub, bytes = std::move(bytes)] {
                               if (link != linkEpoch_) return;
                               sub->ReceiveFromRadio(bytes.data(), bytes.size());
                           });
}

void SimulatedHostModule::ForwardToPc(const uint8_t* data, size_t count) {
    // The bytes are in the air for the radio latency; what arrives after an
    // escape is not passed on.
    std::vector<uint8_t> bytes(data, data + count);
    uint64_t link = linkEpoch_;
    scheduler_.ScheduleFor(alive_, timing_.radioLatencyMs, [this, link, bytes = std::move(bytes)] {
        if (link != linkEpoch_ || !dataMode_) return;
        SendToPc(bytes, 0);
    });
}

void SimulatedHostModule::Reply(std::vector<std::string> lines, uint32_t delayMs) {
    std::vector<uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.push_back('\r');
        bytes.push_back('\n');
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    SendToPc(std::move(bytes), delayMs);
}

void SimulatedHostModule::SendToPc(std::vector<uint8_t> bytes, uint32_t delayMs) {
    if (!answering_) return;
    uint64_t now = scheduler_.Now();
    uint64_t due = std::max(now + delayMs, lastToPcMs_);
    lastToPcMs_ = due;
    scheduler_.ScheduleFor(alive_, static_cast<uint32_t>(due - now),
                           [this, bytes = std::move(bytes)] {
                               if (pcSink_) pcSink_(bytes.data(), bytes.size());
                           });
}
