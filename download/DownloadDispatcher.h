#pragma once
// Sends NC program files to the machine of the connected channel: connects the
// sub module when needed, reads the machine's program list for the types that
// keep one, asks the download dialog which files to send, then reads each file
// whole and runs the download job of the channel's machine type once per file,
// taking the files from the last selected to the first.
//
// With verify on (the channel's setting or the dialog's answer), each program
// that went out whole to a machine that can send it back by name is read back
// into memory by that type's upload job and compared with the file; the status
// window and the file's journal record tell the outcome.
//
// The files come from the folder the dialog showed; that folder is used for
// this run only and is not stored with the channel.

#include <cstdint>
#include <string>

#include "engine/Job.h"
#include "engine/ProgramReadBack.h"
#include "engine/Terminal.h"
#include "engine/TransferJobBits.h"

class DownloadDispatcher : public Job {
public:
    explicit DownloadDispatcher(Terminal& terminal);
    int Run(uint32_t event) override;

    // The per-type download job for machines of `type`; 0 for an unknown type.
    static uint32_t JobBitFor(const std::string& type);

    // Called by the per-type job as it finishes a file.
    // Counts a file; a completed one during which received bytes were lost
    // counts as not completed, with a warning.
    void FileEnded(bool completed);
    // Bytes of the earlier files of this run that went out: the total bar
    // shows them plus the position in the current file.
    int64_t SentBefore() const { return sentBefore_; }

    using RunResult = TransferRunResult;
    const RunResult& LastRun() const { return result_; }

private:
    // Reads the next readable item and starts its job; false when no item is left.
    bool StartNextFile(int& result);
    // Accounts for the file the per-type job has just finished.
    void CloseFile();
    void ShowTotalProgress();
    // Starts reading back the program that has just gone out (state 45).
    int StartReadBack();
    // State 45: compares what came back with the file and tells the outcome.
    int CheckReadBack();

    static constexpr int kDialogOpen = 31;
    static constexpr int kReadingBack = 45;

    RunResult result_;
    uint32_t receiveLossesAtStart_ = 0;   // Terminal::ReceiveLossCount when the file started
    int64_t sentBefore_ = 0;
    bool fileOpen_ = false;
    bool verify_ = false;          // this run reads back what it sent
    bool readBackDue_ = false;     // the file that just ended is to be read back
    ProgramReadBack readBack_;
    TransferProgress progressBeforeReadBack_;
};
