#include "link/ModuleSetupJob.h"

#include <algorithm>
#include <cstdlib>

#include "app/CKOVAApp.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/SubModuleCommands.h"

namespace {
constexpr uint32_t kStepWaitMs = 2000;
constexpr uint32_t kStoreWaitMs = 1000;
constexpr int kMaxDelayBits = 200;
// Sub modules up to version 3.0 know older codes for the two announcements.
constexpr int kLastOldVersion = 30;

// Which byte of each option pair a machine type takes.
uint8_t FirstOption(const std::string& type) {
    return type == "PANASERT/TTY" || type == "TDK/VC5" || type == "TDK/VC5A"
               ? SubModuleCommand::FirstOptionTtyAndVc5
               : SubModuleCommand::FirstOptionOthers;
}

uint8_t SecondOption(const std::string& type) {
    return type == "UNIVERSAL" ? SubModuleCommand::SecondOptionUniversal
                               : SubModuleCommand::SecondOptionOthers;
}

uint8_t ThirdOption(const std::string& type) {
    return type == "PANASERT/TTY" || type == "TDK/VC5" ? SubModuleCommand::ThirdOptionTtyAndVc5
                                                       : SubModuleCommand::ThirdOptionOthers;
}
}  // namespace

ModuleSetupJob::ModuleSetupJob(Terminal& terminal) : Job(terminal, JobBit::ModuleSetup) {}

uint8_t ModuleSetupJob::LineParameterByte(const ChannelConfig& channel) {
    uint8_t value = 0x80;
    switch (std::atoi(channel.McBaudRate.c_str())) {
        case 4800: value |= 1; break;
        case 2400: value |= 2; break;
        case 1200: value |= 3; break;
        case 600: value |= 4; break;
        case 300: value |= 5; break;
        default: break;   // 9600 and anything else
    }
    if (channel.McParityBit == "ODD") value |= 0x08;
    if (channel.McParityBit == "EVEN") value |= 0x10;
    if (std::atoi(channel.McDataBit.c_str()) == 8) value |= 0x20;
    return value;
}

int ModuleSetupJob::DelayBits(const ChannelConfig& channel) {
    return std::clamp(std::atoi(channel.McDelayBit.c_str()), 0, kMaxDelayBits);
}

float ModuleSetupJob::CharTime(const ChannelConfig& channel) {
    int baud = std::atoi(channel.McBaudRate.c_str());
    if (baud <= 0) return 0.0f;
    return 1000.0f / static_cast<float>(baud) * static_cast<float>(DelayBits(channel) + 10);
}

int ModuleSetupJob::SendEchoed(uint8_t byte, int next, uint32_t waitMs) {
    T.QueueByte(T.ExpectEcho(byte), false);
    ArmTimeout(waitMs);
    State = next;
    return 0;
}

int ModuleSetupJob::SendAsking(uint8_t byte, int next) {
    T.ArmReplyByte();
    T.QueueByte(byte, false);
    ArmTimeout(kStepWaitMs);
    State = next;
    return 0;
}

void ModuleSetupJob::Fail(Msg failure) {
    FailText = T.Text(failure) + " (" + std::to_string(State) + ")";
    State = JobState::Failed;
}

int ModuleSetupJob::AwaitEcho(uint32_t event, int next, Msg failure) {
    if (T.StatusFlags & Status::EchoArrived) {
        KillTimeout();
        State = next;
        return 1;
    }
    if (event & EV_TIMEOUT) {
        Fail(failure);
        return 1;
    }
    return 0;
}

int ModuleSetupJob::AwaitReply(uint32_t event, int next, Msg failure, uint8_t& reply) {
    if (T.ReplyByte != 0) {
        KillTimeout();
        reply = T.ReplyByte & 0x7F;
        State = next;
        return 1;
    }
    if (event & EV_TIMEOUT) {
        T.ReplyByteArmed = false;
        Fail(failure);
        return 1;
    }
    return 0;
}

void ModuleSetupJob::RestoreCallersMask() {
    T.Engine.EventMask = T.Engine.ActiveJobs == 0 ? 0 : callersMask_;
}

int ModuleSetupJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    const ChannelConfig& channel = T.App.CurrentChannel;
    SubModuleInfo& info = T.SubInfo;
    const bool oldFirmware = info.SubModuleVersion <= kLastOldVersion;

    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::SubSetUp;
            callersMask_ = T.Engine.EventMask;
            T.Engine.EventMask = EV_TIMEOUT | EV_DATA;
            if (!(T.StatusFlags & Status::SubConnected)) {
                State = JobState::Finish;
                return 1;
            }
            T.QueueText(std::string(8, static_cast<char>(SubModuleCommand::Preamble)), false);
            State = 10;
            return 1;

        case 10: return SendEchoed(SubModuleCommand::OpenDialogue, 11);
        case 11: return AwaitEcho(event, 20);

        case 20: return SendAsking(SubModuleCommand::ReadVersion, 22);
        case 22: {
            int result = AwaitReply(event, 30, Msg::FailedToConfirmModuleVersion, info.SubModuleVersion);
            if (State == 30) info.SetupSerial = channel.SubSerial;
            return result;
        }

        case 30: return SendAsking(SubModuleCommand::ReadType, 32);
        case 32: return AwaitReply(event, 40, Msg::FailedToConfirmModuleType, info.SubModuleType);

        case 40: {
            const uint8_t command = oldFirmware ? SubModuleCommand::LineParametersOldFirmware
                                                : SubModuleCommand::LineParameters;
            return SendEchoed(command, 42);
        }
        case 42:
            if (AwaitEcho(event, 44) == 0) return 0;
            if (State == 44) return SendEchoed(LineParameterByte(channel), 46);
            return 1;
        case 46: return AwaitEcho(event, 50);

        case 50: {
            const uint8_t command = oldFirmware ? SubModuleCommand::CharacterDelayOldFirmware
                                                : SubModuleCommand::CharacterDelay;
            return SendEchoed(command, 52);
        }
        case 52: return AwaitEcho(event, 54);

        case 54: return SendEchoed(static_cast<uint8_t>(DelayBits(channel)), 56);
        case 56: return AwaitEcho(event, 60);

        case 60: return SendEchoed(FirstOption(channel.McType), 62);
        case 62: return AwaitEcho(event, 70);

        case 70: return SendEchoed(SecondOption(channel.McType), 72);
        case 72: return AwaitEcho(event, 80);

        case 80: return SendEchoed(SubModuleCommand::SetupStep, 82);
        case 82: return AwaitEcho(event, 90);

        case 90: return SendEchoed(ThirdOption(channel.McType), 92);
        case 92: return AwaitEcho(event, 100);

        case 100: return SendEchoed(SubModuleCommand::StoreSetup, 102, kStoreWaitMs);
        case 102: return AwaitEcho(event, 110);

        case 110:
            T.QueueByte(SubModuleCommand::CloseDialogue, false);
            State = 120;
            return 1;

        case 120:
            // Which side of the traffic the communication window shows
            // depends on the machine type.
            if (channel.McType == "PANASERT/RS232" || channel.McType == "TDK/VC5A") {
                T.StatusFlags |= Status::EchoTransmitted;
            } else {
                T.StatusFlags &= ~Status::EchoTransmitted;
            }
            if (channel.McType == "PANASERT/RS232") {
                T.StatusFlags &= ~Status::ShowReceived;
            } else {
                T.StatusFlags |= Status::ShowReceived;
            }
            State = JobState::Completed;
            return 1;

        case JobState::Completed:
            T.StatusFlags |= Status::SubSetUp;
            T.CharTimeMs = CharTime(channel);
            State = JobState::Finish;
            return 1;

        case JobState::Cancelled:
            State = 0;
            T.Engine.ActiveJobs &= ~Bit;
            T.ReplyByteArmed = false;
            T.ClearReply();
            RestoreCallersMask();
            T.PostJobEvent(EV_CANCEL);
            return 1;

        case JobState::Failed:
            T.ShowStatus(FailText, 0);
            State = JobState::Finish;
            return 1;

        case JobState::Finish:
            // The set-up's bytes are no reply for whoever reads the link next.
            T.Engine.ActiveJobs &= ~Bit;
            RestoreCallersMask();
            T.ReplyByteArmed = false;
            T.ClearReply();
            FailText.clear();
            State = 0;
            return 1;

        default:
            State = JobState::Finish;
            return 1;
    }
}
