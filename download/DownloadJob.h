#pragma once
// What the per-type download jobs share: reading the next line of the file
// with the progress bars, the start and end of a file's transfer, the steps
// several types take alike (a quiet line, an echoed command, the program's
// end mark), handing a cancel down to the dispatcher, and the end states,
// whose finish turns off the sub-module reports a job turned on. Each type's
// state table stays in its own file.

#include <cstdint>
#include <string>

#include "app/TransferRecord.h"
#include "engine/Job.h"

class DownloadDispatcher;

class DownloadJob : public Job {
public:
    DownloadJob(Terminal& terminal, uint32_t bit, DownloadDispatcher& dispatcher);

protected:
    // Reads lines from FileOffset until one is not empty and leaves it in
    // SendLine; false when only separators were left (the end of the file).
    // The bars follow every read.
    bool ReadLine();
    // For machines that need the program's end mark: the next line as
    // ReadLine leaves it, or "*" once the file is through (a file without the
    // mark gets one); it is in SendLine too.
    std::string NextProgramLine();
    // Records that the line just sent carried the end mark '*'.
    void NoteEndMark(const std::string& line);
    // "Downloading ... (file)", a new status entry.
    void ShowDownloading(const std::string& detail = {});
    // For machines that store the program under a name: "Downloading ...
    // (file)" when the name is the file's own (ignoring case), else
    // "Downloading ... (file,name)".
    void ShowDownloadingUnderName();
    // Starts the elapsed / remaining display and refreshes it.
    void ShowTime();

    // Queues text for the machine; a refusal (the transmit queue is full)
    // fails the file with "Downloading failed." instead of losing the line.
    bool Send(const std::string& text);
    bool SendByte(uint8_t byte);
    // Queues `count` NULs (the leader some machines need before a line)
    // without starting the pump; false when the queue refused one.
    bool QueueNuls(int count);
    // One NUL into a line that has gone quiet, counted in the transfer's figures.
    bool Nudge();
    // Queues a single-byte command that the sub module echoes, recorded with
    // ExpectEcho first.
    bool SendEchoed(uint8_t byte);
    // SendEchoed, waiting up to `waitMs` for the echo in state `next`
    // (0: waits; 1 when the transmit queue refused the byte).
    int SendEchoedAndWait(uint8_t byte, uint32_t waitMs, int next);
    bool EchoArrived() const;
    // Line pacing: sub modules from firmware 4.0 report with 0xFD that they can
    // take more (EV_RESUME); older ones, or one that does not echo the switch,
    // pace by the drained transmit queue (EV_TX_EMPTY). Asks for the reports
    // and waits for the echo in state `wait`, or goes on to `next` at once.
    int AskForReadyReports(int wait, int next);
    // State `wait`: the answer to AskForReadyReports; on to `next`.
    int TakeReadyReportsAnswer(uint32_t event, int next);
    static constexpr int kReadyReportVersion = 40;
    static constexpr uint32_t kCommandEchoWaitMs = 1000;

    // For a command whose echo is not needed to go on: the echo or the
    // time-out moves to `next` (1); other events wait (0).
    int EchoOrTimeoutThen(uint32_t event, int next);

    // For a state that waits until the machine's line has been quiet for
    // `quietMs`: every batch of received bytes starts the wait again (0); the
    // time-out moves to `next` (1). A machine that never falls quiet fails
    // the file with "No response from MC!" after `limitMs` in that state
    // (without a limit it waits as long as the line talks). The wait is
    // started with BeginWait(quietMs).
    int AwaitQuietLine(uint32_t event, uint32_t quietMs, int next, uint32_t limitMs = UINT32_MAX);

    // Fails the file with a message that names the line or name that caused it;
    // control bytes are shown as ^X.
    void FailNaming(Msg message, const std::string& text);
    // The machine echoed something else than SendLine: both lines (their
    // start, as FailNaming shows text) and the hint about the channel's delay
    // bits, below the failure entry.
    void ShowSentAndReceived();

    // Sets what the bars show of the current file and of the whole selection.
    void ShowProgress(int64_t fileDone, int64_t totalDone);
    // The bars at the read position FileOffset.
    void ShowReadPosition();

    // The sub module did not echo a report switch at the end of a file: shown
    // as a set-up failure, but the file has gone out and counts as completed
    // (on to 9000).
    int CompleteDespiteMissingEcho();

    // 9001, after the job has stopped the machine its own way: the dispatcher
    // ends too; continues with 9010.
    int CancelDownload();
    // 9001 for machines that ETX stops: queues it, then CancelDownload.
    int StopMachineAndCancel();
    // 9010: turns off ready and busy reports that are still on, stops echoing
    // sent bytes, tells the dispatcher how the file went and clears the job's bit.
    int FinishDownload();
    // Ends the journal record of the current file: its bytes, how far it got, and how it ended.
    void EndFileRecord(TransferResult result, int row, const std::string& text, uint32_t done);
    // The end states every type runs alike: 9000, 9002, 9010, and states the
    // job does not know (9004, then 9010). 9001 is each type's own.
    int RunEndState();

    DownloadDispatcher& Dispatcher;
    int Retries = 0;
    // Set once program bytes may have reached the machine: a failure then
    // stops the machine with ETX, so that it keeps no half program that the
    // next transfer would run into.
    bool MachineTookLines = false;

private:
    int Complete();      // 9000
    int ShowFailure();   // 9002

    bool completed_ = false;
};
