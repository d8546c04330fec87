// The terminal's receive path on arbitrary bytes from the serial line, in
// arbitrary batch sizes, with the machine type, StatusFlags and event mask
// taken from the input. Either a listening job reacts to each line the way
// jobs do (clears the reply, answers, arms the reply byte, opens a dialog
// during which more bytes arrive), or the real list jobs read a listing.
//
// Rules checked after every step: the line being received, the last reply
// line and ReceivedText stay within their limits, a listing grows no faster
// than the bytes that arrive, and no dispatch is left half done.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/CKOVAApp.h"
#include "app/MachineType.h"
#include "fuzz/FuzzCheck.h"
#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "lists/ListJobs.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "serial/SerialPort.h"
#include "sim/VirtualEventLoop.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

namespace {

constexpr std::size_t kMaxBatch = 64;
constexpr std::size_t kMaxFlood = 6000;

class ListeningJob : public Job {
public:
    ListeningJob(Terminal& terminal, uint32_t bit, FuzzedDataProvider& input)
        : Job(terminal, bit), input_(input) {}

    int Run(uint32_t event) override {
        if (event != EV_LINE) return 0;
        // A line event queued during a nested turn may find the reply already
        // taken, so an empty line is allowed here; an overlong one is not.
        FUZZ_CHECK(T.LastReplyLine.size() <= Terminal::kPartialLineLimit);
        switch (input_.ConsumeIntegral<uint8_t>() % 8) {
            case 1: T.ClearReply(); break;
            case 2: T.QueueText(T.LastReplyLine + "\r", false); break;
            case 3: T.ArmReplyByte(); break;
            case 4: T.EtxEndsLine = !T.EtxEndsLine; break;
            case 5: T.StatusFlags ^= Status::ShowReceived; break;
            case 6: T.PostJobEvent(EV_DATA); break;
            case 7:
                // A message box keeps the window's loop running: bytes that
                // arrive meanwhile are received inside this job's turn.
                if (depth_ < 4) {
                    ++depth_;
                    T.HandleMessage(WindowMsg::Received);
                    --depth_;
                }
                break;
            default: break;
        }
        return 0;
    }

private:
    FuzzedDataProvider& input_;
    int depth_ = 0;
};

CKOVAApp& App() {
    static CKOVAApp* app = [] {
        auto* a = new CKOVAApp;
        a->SetDefaultMultiLanguageStr();
        a->_nLanguage = 0;
        a->PcPort.PortName = "/dev/ttyUSB0";
        return a;
    }();
    return *app;
}

constexpr uint32_t kListenerBits[] = {JobBit::Scan, JobBit::HostCheck, JobBit::DownloadCitizenM10,
                                      JobBit::DownloadPanasertRs232, JobBit::ListUniversal};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CKOVAApp& app = App();

    // The machine type: one of the supported ones, or a name no type has.
    const std::size_t type = input.ConsumeIntegralInRange<std::size_t>(0, MachineTypes.size());
    app.CurrentChannel.McType = type < MachineTypes.size() ? MachineTypes[type].Name : "OTHER";

    FakeSerialPort port;
    VirtualEventLoop loop;
    RecordingView view;
    Terminal terminal(app, port, loop, view);
    terminal.StatusFlags = input.ConsumeIntegral<uint32_t>();
    terminal.EtxEndsLine = input.ConsumeBool();
    if (input.ConsumeBool()) terminal.ArmReplyByte();
    terminal.ExpectEcho(input.ConsumeIntegral<uint8_t>());

    const bool listJobs = input.ConsumeBool();
    if (listJobs) {
        AddListJobs(terminal);
        std::string report;
        terminal.OpenPcPort(report);
        terminal.StatusFlags |= Status::SubConnected | Status::CtsOn;
        terminal.StatusFlags &= ~Status::PacingPause;
        terminal.StartJob(input.ConsumeBool() ? JobBit::ListUniversal : JobBit::ListTdkVc5);
    } else {
        const uint32_t bit = kListenerBits[input.ConsumeIntegralInRange<std::size_t>(
            0, std::size(kListenerBits) - 1)];
        terminal.AddJob<ListeningJob>(bit, input);
        terminal.Engine.ActiveJobs = bit;
        terminal.Engine.EventMask = kDefaultEventMask;
        if (input.ConsumeBool()) terminal.Engine.EventMask |= EV_LINE;
        if (input.ConsumeBool()) terminal.Engine.EventMask |= EV_BUSY | EV_RESUME;
    }

    std::size_t fed = 0;
    while (input.remaining_bytes() > 0) {
        const std::size_t textBefore = terminal.ReceivedText.size();
        std::size_t batch = 0;
        switch (input.ConsumeIntegral<uint8_t>() % 8) {
            case 4: {   // a flood of one byte, long enough to reach every limit
                const char byte = static_cast<char>(input.ConsumeIntegral<uint8_t>());
                batch = input.ConsumeIntegralInRange<std::size_t>(1, kMaxFlood);
                port.Feed(std::string(batch, byte));
                terminal.HandleMessage(WindowMsg::Received);
                break;
            }
            case 5:
                terminal.HandleMessage(WindowMsg::LineEvent, input.ConsumeIntegral<uint32_t>(),
                                       input.ConsumeIntegral<uint32_t>());
                break;
            case 6:   // time passes: reply time-outs and the idle timer
                loop.RunFor(input.ConsumeIntegralInRange<uint32_t>(0, 20000));
                break;
            case 7:
                terminal.HandleMessage(input.ConsumeBool() ? WindowMsg::Cancel : WindowMsg::UserStart);
                break;
            default: {
                const std::string bytes =
                    input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(1, kMaxBatch));
                batch = bytes.size();
                port.Feed(bytes);
                terminal.HandleMessage(WindowMsg::Received);
                break;
            }
        }
        fed += batch;
        // A job may have received bytes inside its turn; whatever is still
        // queued arrives with the next message.
        terminal.HandleMessage(WindowMsg::Received);

        FUZZ_CHECK(terminal.PartialLine.size() <= Terminal::kPartialLineLimit);
        FUZZ_CHECK(terminal.LastReplyLine.size() <= Terminal::kPartialLineLimit);
        // Each received byte shows as at most two characters (CR as CR LF).
        FUZZ_CHECK(terminal.ReceivedText.size() <=
                   std::max(textBefore, Terminal::kReceivedTextLimit - 1 + 2 * batch));
        if (terminal.UnlimitedText != nullptr) FUZZ_CHECK(terminal.UnlimitedText->size() <= 2 * fed);
        FUZZ_CHECK(terminal.RxByteCount >= 0 && static_cast<std::size_t>(terminal.RxByteCount) <= fed);
        FUZZ_CHECK(terminal.Engine.DispatchDepth == 0);

        // The window trims what it shows; the test view would only grow.
        view.Comm.clear();
        view.StatusLines.clear();
        port.Written.clear();
    }
    return 0;
}
