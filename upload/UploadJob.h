#pragma once
// What the per-type upload jobs share: the received program in UploadText,
// the lines the receive path collects for them, the status texts of a running
// upload, handing a cancel down to the dispatcher, the journal record of each
// item, and the end states. State 9000 stores the program (UploadFileWriter):
// the file it replaces goes into the kept versions, the new text into a
// sibling file first, which replaces the target only once it is written
// whole. While Terminal::ReadBack is set the program goes there instead (a
// download's verify) and nothing is written or recorded. Each type's state
// table stays in its own file.

#include <cstdint>
#include <string>

#include "app/TransferRecord.h"
#include "engine/Job.h"
#include "engine/ReceivedLine.h"

class UploadDispatcher;

class UploadJob : public Job {
public:
    UploadJob(Terminal& terminal, uint32_t bit, UploadDispatcher& dispatcher);

    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr uint32_t kQuietMs = 500;

    // The program as it will be written.
    const std::string& Text() const { return UploadText; }

protected:
    // "Uploading... (file)", or "(file, detail)"; a new status entry.
    void ShowUploading(const std::string& detail = {});
    // Starts the time display and refreshes it: elapsed time only
    // (Status::UploadTime), or with the time left (Status::DownloadTime) for
    // machines whose listing gave the program's line count.
    void ShowTime(uint32_t flag);
    // One more line of a program whose line count is known: both bars grow by 1.
    void CountLine();

    // From now on every line the machine completes is kept for TakeLines.
    void CollectLines();
    // The lines (and marks) received since the last call.
    ReceivedLineList TakeLines();

    // From now on everything received is kept whole in CollectedText (no
    // length limit, unlike ReceivedText).
    void CollectText();
    const std::string& CollectedText() const { return text_; }

    // Appends `line` and CR LF to UploadText.
    void AppendLine(const std::string& line);

    // State 0 of the jobs that start on a quiet line: the link is taken
    // over, UploadText emptied, and `next` waits kQuietMs; returns 0.
    int Begin(int next);
    // In that waiting state: true once the line was quiet for kQuietMs;
    // anything else received starts the wait again. A line that is not quiet
    // within kReplyWaitMs fails the job with "No response from MC!" (false,
    // the state is 9002 then).
    bool QuietLineEnded(uint32_t event);
    // What a waiting state returns after QuietLineEnded said no.
    int KeepWaiting() const { return State == JobState::Failed ? 1 : 0; }

    // Fails with the message alone (no state number); returns 1.
    int FailShowing(Msg message);

    // 9001: stops the machine with ETX when `stopMachine`; the dispatcher
    // ends too; continues with 9010.
    int CancelUpload(bool stopMachine = true);
    // 9000, 9002, 9010 and states the job does not know.
    int RunEndState();

    UploadDispatcher& Dispatcher;
    std::string UploadText;
    int Retries = 0;

private:
    // Ends the journal record of the current item with what was received.
    void EndRecord(TransferResult result, int row, const std::string& text);
    void EndRecord(TransferResult result, Msg row);
    int Store();         // 9000
    int Finish();        // 9010

    ReceivedLineList lines_;
    std::string text_;
    bool completed_ = false;
    uint64_t quietSinceMs_ = 0;
};
