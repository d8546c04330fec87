#pragma once
// What the per-type download jobs share: reading the next line of the file
// with the progress bars, the start and end of a file's transfer, handing a
// cancel down to the dispatcher, and the finish that turns off the sub-module
// reports a job turned on.

#include <cstdint>
#include <string>

#include "jobs/Job.h"
#include "lang/Msg.h"

class DownloadDispatcher;

class DownloadJob : public Job {
public:
    DownloadJob(Terminal& terminal, uint32_t bit, DownloadDispatcher& dispatcher);

protected:
    // Reads lines from FileOffset until one is not empty and leaves it in
    // SendLine; false when only separators were left (the end of the file).
    // The bars follow every read.
    bool ReadLine();
    // "Downloading ... (file)", a new status entry.
    void ShowDownloading(const std::string& detail = {});
    // Starts the elapsed / remaining display and refreshes it.
    void ShowTime();

    // Queues text for the machine; a refusal (the transmit queue is full)
    // fails the file with "Downloading failed." instead of losing the line.
    bool Send(const std::string& text);
    bool SendByte(uint8_t byte);
    // Queues a single-byte command that the sub module echoes, recorded with
    // ExpectEcho first.
    bool SendEchoed(uint8_t byte);
    bool EchoArrived() const;

    // Fails the file with a message that names the line or name that caused it;
    // control bytes are shown as ^X.
    void FailNaming(Msg message, const std::string& text);

    // End states shared by every type.
    int Complete();                     // 9000
    int CancelDownload();               // the dispatcher ends too; continues with 9010
    int ShowFailure();                  // 9002
    // 9010: turns off ready and busy reports that are still on, tells the
    // dispatcher how the file went and clears the job's bit.
    int FinishDownload();

    DownloadDispatcher& Dispatcher;
    int Retries = 0;

private:
    void ShowProgress();
    bool completed_ = false;
};
