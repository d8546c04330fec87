#pragma once
// Sends a machine's system program (its own control software) from the PC:
// connects the sub module when needed, asks the download dialog, in its
// system program form, for one file and the system delay bits, reads the file
// whole and runs the system download job of the channel's machine type
// (UNIVERSAL or TDK/VC5). The machine restarts afterwards, so every run ends
// by telling the operator to reconnect.
//
// It never starts while another job holds the link: its set-up bytes would
// land in the middle of that job's dialogue with the machine.

#include <cstdint>
#include <string>

#include "app/TransferItem.h"
#include "engine/Job.h"

class SystemDownloadDispatcher : public Job {
public:
    explicit SystemDownloadDispatcher(Terminal& terminal);
    int Run(uint32_t event) override;

    // The system download job for machines of `type`; 0 for a type without one.
    static uint32_t JobBitFor(const std::string& type);
    // The delay byte the sub module is loaded with: the decimal value of the
    // delay bits, 0 to 200 (text that is no number gives 0).
    static uint8_t DelayByte(const std::string& delayBits);

    // Called by the per-type job as it finishes, with its end state.
    void TransferEnded(int endState);

    // How the last run ended, for front ends that report a result: 9000 only
    // when the per-type job completed.
    int LastEndState() const { return endState_; }

    // While the dialog is open, events that reach this job find it here.
    static constexpr int kDialogOpen = 21;

private:
    // State 20: shows the dialog and reads the chosen file; 1 to go on.
    int ChooseFile();
    // Reads the file the dialog chose into FileBuffer; false (reported) when
    // the dialog must open again.
    bool LoadFile(const std::string& folder, const TransferItem& item);

    int endState_ = 0;
    bool cancelWhileDialogOpen_ = false;
};
