#pragma once
// Sends NC program files to the machine of the connected channel: connects the
// sub module when needed, reads the machine's program list for the types that
// keep one, asks the download dialog which files to send, then reads each file
// whole and runs the download job of the channel's machine type once per file,
// taking the files from the last selected to the first.
//
// The files come from the folder the dialog showed; that folder is used for
// this run only and is not stored with the channel.

#include <cstdint>
#include <string>

#include "engine/Job.h"
#include "engine/TransferJobBits.h"

class DownloadDispatcher : public Job {
public:
    explicit DownloadDispatcher(Terminal& terminal);
    int Run(uint32_t event) override;

    // The per-type download job for machines of `type`; 0 for an unknown type.
    static uint32_t JobBitFor(const std::string& type);

    // Called by the per-type job as it finishes a file.
    void FileEnded(bool completed) { result_.Count(completed); }
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

    static constexpr int kDialogOpen = 31;

    RunResult result_;
    int64_t sentBefore_ = 0;
    bool fileOpen_ = false;
};
