#pragma once
// Builds the journal record of one transfer from what the terminal knows
// (channel, machine, sub module) and hands it to the journal when the
// transfer ends. Without a journal nothing is recorded.

#include <chrono>
#include <cstdint>
#include <string>

#include "app/TransferRecord.h"

class Terminal;
class TransferJournal;

class TransferRecorder {
public:
    void SetJournal(TransferJournal* journal) { journal_ = journal; }
    TransferJournal* Journal() const { return journal_; }
    // Who works at the PC; when empty, $USER or $LOGNAME.
    std::string PcUser;

    // Starts the record of a transfer on the terminal's current channel.
    void Begin(const Terminal& terminal, const char* direction, const std::string& pcFile,
               const std::string& mcProgram);
    bool Open() const { return open_; }
    // Sets the bytes, lines and SHA-256 from `data`: the file's bytes of a
    // download (its first `done` went out), or the bytes written or received.
    void SetContent(const uint8_t* data, std::size_t size, std::size_t done);
    void SetVerify(const std::string& outcome) { record_.Verify = outcome; }
    // Ends the open record (nothing when none is open) and hands it on.
    void End(TransferResult result, int messageNumber, const std::string& messageText);
    // SetContent and End in one, for an open record.
    void EndWith(TransferResult result, int messageNumber, const std::string& messageText, const uint8_t* data,
                 std::size_t size, std::size_t done);

    // A program that will be read back to check it: when the open record ends
    // completed, it waits for the outcome (EndHeld) instead of going out.
    void HoldIfCompleted() { holdCompleted_ = open_; }
    bool Held() const { return held_; }
    // Hands the waiting record on with the read-back's outcome.
    void EndHeld(const std::string& verifyOutcome);

private:
    TransferJournal* journal_ = nullptr;
    TransferRecord record_;
    std::chrono::system_clock::time_point start_;
    bool open_ = false;
    bool holdCompleted_ = false;
    bool held_ = false;
};
