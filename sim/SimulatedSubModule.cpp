#include "sim/SimulatedSubModule.h"

#include <algorithm>
#include <utility>

#include "sim/SimScheduler.h"

namespace {

constexpr uint8_t kPlus = '+';
constexpr uint8_t kReadyReport = 0xFD;
constexpr uint8_t kBusyOff = 0xFE;
constexpr uint8_t kBusyOn = 0xFF;
constexpr int kMaxDelayBits = 200;
// The newest firmware that still uses the old parameter commands 0xC2/0xC1.
constexpr uint8_t kLastOldCommandVersion = 30;
constexpr uint8_t kFirstReadyReportVersion = 40;

uint32_t MsUntil(uint64_t dueUs, uint64_t nowUs) {
    return dueUs <= nowUs ? 0 : static_cast<uint32_t>((dueUs - nowUs + 999) / 1000);
}

}  // namespace

SimulatedSubModule::SimulatedSubModule(SimScheduler& scheduler, SubModuleConfig config)
    : scheduler_(scheduler), config_(std::move(config)) {}

SimulatedSubModule::~SimulatedSubModule() = default;

uint64_t SimulatedSubModule::NowUs() const { return scheduler_.Now() * 1000; }

void SimulatedSubModule::SetInRange(bool inRange) {
    inRange_ = inRange;
    if (!inRange && linked_) {
        auto lost = onLost_;
        LinkDown();
        if (lost) lost();
    }
}

void SimulatedSubModule::AttachMachine(std::unique_ptr<SimulatedMachine> machine) {
    machine_ = std::move(machine);
    if (machine_) machine_->Attach(this, &scheduler_);
}

void SimulatedSubModule::LinkUp(ByteSink toRadio, std::function<void()> onLost) {
    linked_ = true;
    ++linkEpoch_;
    toRadio_ = std::move(toRadio);
    onLost_ = std::move(onLost);
    if (machine_) machine_->OnLinkChanged(true);
}

void SimulatedSubModule::LinkDown() {
    if (!linked_) return;
    linked_ = false;
    ++linkEpoch_;   // answers still on the clock are lost with the link
    toRadio_ = nullptr;
    onLost_ = nullptr;
    previousWasPlus_ = false;
    pending_ = Pending::None;
    dialogue_ = false;
    transparent_ = false;
    readyReports_ = false;
    busyReports_ = false;
    if (machine_) machine_->OnLinkChanged(false);
}

void SimulatedSubModule::ReceiveFromRadio(const uint8_t* data, size_t count) {
    if (!linked_) return;
    for (size_t i = 0; i < count; ++i) {
        uint8_t byte = data[i];
        radioLog_.push_back(byte);
        // The 0x00 after a '+' only keeps the host from seeing an escape.
        if (previousWasPlus_ && byte == 0x00) {
            previousWasPlus_ = false;
            continue;
        }
        previousWasPlus_ = byte == kPlus;
        if (transparent_) {
            ToMachine(byte);
        } else if (pending_ != Pending::None) {
            TakeParameter(byte);
        } else if (byte & 0x80) {
            TakeCommand(byte);
        } else {
            ToMachine(byte);
        }
    }
}

bool SimulatedSubModule::TakesCommand() {
    if (commandsLeft_ == 0) return false;
    if (commandsLeft_ > 0) --commandsLeft_;
    return true;
}

void SimulatedSubModule::TakeCommand(uint8_t command) {
    const bool oldFirmware = config_.version <= kLastOldCommandVersion;
    const bool readyCapable = config_.version >= kFirstReadyReportVersion;
    if (machine_ && command != 0x80) machine_->ModuleCommand(command, dialogue_);
    switch (command) {
    case 0x80:   // preamble: nothing to do
        return;
    case 0x81:
        if (TakesCommand()) dialogue_ = false;
        return;
    case 0x82:
        if (TakesCommand()) FlushToMachine();
        return;
    case 0x83:
        if (TakesCommand()) Answer(static_cast<uint8_t>(0x80 | (config_.version & 0x7F)), answerDelayMs_);
        return;
    case 0x84:
        if (TakesCommand()) Answer(static_cast<uint8_t>(0x80 | (config_.typeCode & 0x7F)), answerDelayMs_);
        return;
    case 0x87:
        if (!TakesCommand()) return;
        options_.stored87 = true;
        Answer(command, storeDelayMs_);
        return;
    case 0x88:
        if (!TakesCommand()) return;
        dialogue_ = true;
        Answer(command, answerDelayMs_);
        return;
    case 0x89:
        if (TakesCommand()) transparent_ = true;
        return;
    case 0x8C:
    case 0x8D:
        if (!TakesCommand()) return;
        options_.option8Cor8D = command;
        Answer(command, answerDelayMs_);
        return;
    case 0x8E:
    case 0x8F:
        if (!TakesCommand()) return;
        busyReports_ = command == 0x8E;
        Answer(command, answerDelayMs_);
        return;
    case 0x91:
    case 0x92:
        if (!TakesCommand()) return;
        options_.option91or92 = command;
        Answer(command, answerDelayMs_);
        return;
    case 0x93:
    case 0x94:
        if (!TakesCommand()) return;
        options_.option93or94 = command;
        Answer(command, answerDelayMs_);
        return;
    case 0x98:
        if (!TakesCommand()) return;
        options_.step98 = true;
        Answer(command, answerDelayMs_);
        return;
    case 0x95:
    case 0xC1:
        if ((command == 0xC1) != oldFirmware || !TakesCommand()) return;
        pending_ = Pending::DelayByte;
        Answer(command, answerDelayMs_);
        return;
    case 0x96:
    case 0xC2:
        if ((command == 0xC2) != oldFirmware || !TakesCommand()) return;
        pending_ = Pending::LineByte;
        Answer(command, answerDelayMs_);
        return;
    case 0x9A:
    case 0x9B:
        if (!readyCapable || !TakesCommand()) return;
        readyReports_ = command == 0x9A;
        Answer(command, answerDelayMs_);
        return;
    default:
        return;   // unknown commands are ignored
    }
}

void SimulatedSubModule::TakeParameter(uint8_t value) {
    Pending which = pending_;
    pending_ = Pending::None;
    if (!TakesCommand()) return;
    if (which == Pending::LineByte) {
        lineByte_ = value;
        line_ = SimLineParameters::FromLineByte(value, line_.delayBits);
    } else {
        line_.delayBits = std::min<int>(value, kMaxDelayBits);
    }
    Answer(value, answerDelayMs_);
    LineChanged();
}

void SimulatedSubModule::LineChanged() {
    if (machine_) machine_->OnLineParametersChanged(line_);
}

void SimulatedSubModule::Answer(uint8_t byte, uint32_t delayMs) { Emit({byte}, delayMs); }

void SimulatedSubModule::Emit(std::vector<uint8_t> bytes, uint32_t delayMs) {
    if (!linked_) return;
    std::vector<uint8_t> stuffed;
    stuffed.reserve(bytes.size() + 4);
    for (uint8_t b : bytes) {
        stuffed.push_back(b);
        if (b == kPlus) stuffed.push_back(0x00);
    }
    uint64_t now = scheduler_.Now();
    uint64_t due = std::max(now + delayMs, lastEmitMs_);
    lastEmitMs_ = due;
    uint64_t epoch = linkEpoch_;
    scheduler_.ScheduleFor(alive_, static_cast<uint32_t>(due - now),
                           [this, epoch, stuffed = std::move(stuffed)] {
                               if (epoch != linkEpoch_ || !toRadio_) return;
                               toRadio_(stuffed.data(), stuffed.size());
                           });
}

void SimulatedSubModule::ToMachine(uint8_t byte) {
    uint64_t now = NowUs();
    toMachineFreeUs_ = std::max(toMachineFreeUs_, now) + line_.CharTimeUs(true);
    ++pendingToMachine_;
    uint64_t epoch = machineEpoch_;
    uint8_t onLine = byte & line_.Mask();
    scheduler_.ScheduleFor(alive_, MsUntil(toMachineFreeUs_, now), [this, epoch, onLine] {
        if (epoch != machineEpoch_) return;
        --pendingToMachine_;
        if (machine_) machine_->OnLineByte(onLine);
        if (pendingToMachine_ == 0 && readyReports_) Emit({kReadyReport}, 0);
    });
}

void SimulatedSubModule::FlushToMachine() {
    ++machineEpoch_;
    pendingToMachine_ = 0;
    toMachineFreeUs_ = NowUs();
}

void SimulatedSubModule::ReceiveFromMachine(const uint8_t* data, size_t count) {
    uint64_t now = NowUs();
    for (size_t i = 0; i < count; ++i) {
        fromMachineFreeUs_ = std::max(fromMachineFreeUs_, now) + line_.CharTimeUs(false);
        uint8_t byte = data[i] & line_.Mask();
        scheduler_.ScheduleFor(alive_, MsUntil(fromMachineFreeUs_, now), [this, byte] {
            // Without a link the machine talks to nobody.
            Emit({byte}, 0);
        });
    }
}

void SimulatedSubModule::OnMachineBusyLine(bool on) {
    if (busyReports_) Emit({on ? kBusyOn : kBusyOff}, 0);
}
