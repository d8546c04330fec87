#include "engine/TransferRecorder.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include "app/CKOVAApp.h"
#include "app/JournalFormat.h"
#include "app/Sha256.h"
#include "app/TransferJournal.h"
#include "engine/Terminal.h"

namespace {
std::string UserName() {
    for (const char* name : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

std::string NewUid() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string uid;
    for (int part = 0; part < 2; ++part) {
        uint64_t bits = random();
        for (int i = 0; i < 16; ++i, bits >>= 4) uid += kHex[bits & 0xF];
    }
    return uid;
}
}  // namespace

void TransferRecorder::Begin(const Terminal& terminal, const char* direction, const std::string& pcFile,
                             const std::string& mcProgram) {
    if (journal_ == nullptr) return;
    // A record still waiting for its read-back is not lost to the next one.
    EndHeld("not verified");
    const ChannelConfig& channel = terminal.App.CurrentChannel;
    record_ = TransferRecord{};
    record_.Uid = NewUid();
    start_ = std::chrono::system_clock::now();
    record_.StartUtc = JournalFormat::IsoUtc(start_);
    record_.PcUser = PcUser.empty() ? UserName() : PcUser;
    record_.Channel = channel.Channel;
    record_.McType = channel.McType;
    record_.McName = channel.McName;
    record_.SubAddress = channel.SubSerial;
    record_.Direction = direction;
    record_.PcFile = pcFile;
    record_.McProgram = mcProgram;
    open_ = true;
    holdCompleted_ = false;
}

void TransferRecorder::SetContent(const uint8_t* data, std::size_t size, std::size_t done) {
    if (!open_) return;
    done = std::min(done, size);
    record_.Bytes = static_cast<int64_t>(done);
    record_.Lines = JournalFormat::CountLines(data, done);
    record_.Sha256 = Sha256::Of(data, size);
}

void TransferRecorder::End(TransferResult result, int messageNumber, const std::string& messageText) {
    if (!open_) return;
    open_ = false;
    const auto end = std::chrono::system_clock::now();
    record_.EndUtc = JournalFormat::IsoUtc(end);
    record_.DurationMs = std::chrono::duration_cast<std::chrono::milliseconds>(end - start_).count();
    record_.Result = result;
    record_.MessageNumber = messageNumber;
    record_.MessageText = messageText;
    if (holdCompleted_ && result == TransferResult::Completed) {
        held_ = true;
    } else {
        journal_->Append(record_);
    }
    holdCompleted_ = false;
}

void TransferRecorder::EndWith(TransferResult result, int messageNumber, const std::string& messageText,
                               const uint8_t* data, std::size_t size, std::size_t done) {
    if (!open_) return;
    SetContent(data, size, done);
    End(result, messageNumber, messageText);
}

void TransferRecorder::EndHeld(const std::string& verifyOutcome) {
    if (!held_) return;
    held_ = false;
    record_.Verify = verifyOutcome;
    journal_->Append(record_);
}
