#pragma once
// Everything a job shows or asks, as the engine sees the window. The Qt main
// window and the console front end implement it; tests use a recording view.
// Requests that open a dialog return the user's answer; while a modal dialog is
// open the front end keeps handling messages, and the engine queues their events.

#include <cstdint>
#include <string>

class ChannelSelectionModel;
struct DownloadRequest;
struct TransferFigures;
struct UploadRequest;

enum class MessageBoxKind { Ok, OkCancel, YesNo, RetryCancel };
enum class MessageBoxAnswer { Ok, Cancel, Yes, No, Retry };
enum class Sound { Error, Question };

class TerminalView {
public:
    virtual ~TerminalView() = default;

    // ---- status window: one finished line ("%d> text" or a continuation) ----
    virtual void AppendStatusLine(const std::string& line) = 0;
    virtual void PlaySound(Sound sound) = 0;

    // ---- communication window ----
    virtual void AppendCommText(const std::string& text) = 0;
    virtual void AppendTransmittedByte(uint8_t byte) = 0;   // printable, CR or backspace
    virtual void CommBackspace() = 0;                       // remove the last character
    virtual void FocusCommWindow() = 0;

    // ---- pages ----
    virtual void RefreshPages() = 0;
    // The machine's busy line as the sub module reports it ("MC->SUB:" box).
    virtual void SetMachineBusy(bool busy) = 0;
    // The PC port page's line display, when that page is shown.
    virtual void RefreshPortLineDisplay() = 0;

    // ---- transfer progress on the program page ----
    virtual void SetFileProgress(int position, int range) = 0;
    virtual void SetTotalProgress(int position, int range) = 0;
    virtual void SetTimeText(const std::string& text) = 0;
    // The live figures beside the bars (bytes, lines, pace, retries, time left).
    virtual void SetTransferFigures(const TransferFigures&) {}

    // ---- questions and notices ----
    virtual MessageBoxAnswer AskMessageBox(const std::string& text, MessageBoxKind kind) = 0;

    // ---- link dialogs ----
    // The modal channel selection; true on OK, with the choice in the model.
    virtual bool RunChannelSelection(ChannelSelectionModel& model) = 0;
    // The modeless scan progress dialog (36 one-second ticks, a Stop button
    // that sends WindowMsg::Cancel).
    virtual void OpenScanDialog() = 0;
    virtual void CloseScanDialog() = 0;

    // ---- transfer dialogs ----
    // The modal download dialog for the connected channel (the machine's
    // program list is the terminal's McProgramList); true on OK with at least
    // one file in request.Files.
    virtual bool RunDownloadDialog(DownloadRequest& request) = 0;
    // The one-line program-name prompt; true on OK with the text as typed.
    virtual bool AskProgramName(const std::string& title, std::string& name) = 0;
    // The modal upload dialog for the connected channel (machine-list mode
    // shows the terminal's McProgramList); true on OK with at least one item
    // in request.Files. A view without one cancels.
    virtual bool RunUploadDialog(UploadRequest& /*request*/) { return false; }
    // The "Press 'P' or 'T' key." prompt; true with 'P' or 'T' in `key`,
    // false when cancelled. A view without one cancels.
    virtual bool AskPOrTKey(char& /*key*/) { return false; }
    // The modeless wait-for-start dialog of a download that waits for the
    // machine's start signal: "Start downloading" sends WindowMsg::UserStart,
    // "Cancel download" WindowMsg::Cancel. It never closes itself; the job
    // closes it whichever way it stops waiting.
    virtual void OpenWaitStartDialog() = 0;
    virtual void CloseWaitStartDialog() = 0;

    // ---- program ----
    // Ends the program (the window closes) once the engine has let go of the port.
    virtual void EndProgram() = 0;
};
