#pragma once
// Receives NC programs from the machine of the connected channel: connects the
// sub module when needed, closes its command dialogue, reads the machine's
// program list for the types that keep one, asks the upload dialog what to
// receive under which file names, then runs the upload job of the channel's
// machine type once per file, taking the items from the last selected to the
// first.
//
// The files go into the folder the dialog showed; that folder is used for
// this run only and is not stored with the channel.

#include <cstdint>
#include <string>

#include "engine/Job.h"
#include "engine/TransferJobBits.h"

class UploadDispatcher : public Job {
public:
    explicit UploadDispatcher(Terminal& terminal);
    int Run(uint32_t event) override;

    // The per-type upload job for machines of `type`; 0 for an unknown type.
    static uint32_t JobBitFor(const std::string& type);

    // Called by the per-type job as it finishes an item.
    void FileEnded(bool completed) { result_.Count(completed); }

    using RunResult = TransferRunResult;
    const RunResult& LastRun() const { return result_; }

    static constexpr uint32_t kEchoWaitMs = 1000;

private:
    static constexpr int kDialogOpen = 41;

    int ShowDialog();
    int StartNextItem();

    RunResult result_;
};
