// Throughput of the engine's byte paths. The radio line runs at 9600 baud
// (under 1 kB/s); these figures show how far the engine stays from being the
// limit, and that its cost per byte does not grow with the amount received.
//
//   build/bench/kova-bench

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "app/CKOVAApp.h"
#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "sim/VirtualEventLoop.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/RecordingView.h"

namespace {

// A view whose communication window keeps only a bounded tail, as the real one does.
class SinkView : public RecordingView {
public:
    void AppendCommText(const std::string& text) override {
        window += text;
        if (window.size() > 30000) window.erase(0, window.size() - 20000);
    }
    std::string window;
};

class ListeningJob : public Job {
public:
    using Job::Job;
    int Run(uint32_t event) override {
        if (event & EV_DATA) ++batches;
        return 0;
    }
    long batches = 0;
};

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Rig {
    Rig() {
        app.SetDefaultMultiLanguageStr();
        std::string report;
        app.PcPort.PortName = "/dev/bench";
        terminal.OpenPcPort(report);
        terminal.StatusFlags |= Status::ShowReceived | Status::CtsOn;
        terminal.Engine.ActiveJobs = JobBit::UploadDynaPert;
        terminal.Engine.EventMask = kDefaultEventMask | EV_LINE;
    }
    CKOVAApp app;
    FakeSerialPort port;
    VirtualEventLoop loop;
    SinkView view;
    Terminal terminal{app, port, loop, view};
    ListeningJob& job = terminal.AddJob<ListeningJob>(JobBit::UploadDynaPert);
};

// NC-like text: lines of 40 characters, the way uploads arrive.
std::string NcText(std::size_t bytes) {
    std::string text;
    for (int line = 0; text.size() < bytes; ++line) {
        text += "N" + std::to_string(line) + " X120.50 Y-33.25 T01 M03 F1200 ";
        text += "\r\n";
    }
    text.resize(bytes);
    return text;
}

void BM_ReceiveHandler(benchmark::State& state) {
    Rig rig;
    const std::string batch = NcText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        rig.port.Feed(batch);
        rig.terminal.HandleMessage(WindowMsg::Received);
        if (rig.terminal.ReceivedText.size() >= Terminal::kReceivedTextLimit) state.counters["text_full"] = 1;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(batch.size()));
    state.counters["peak_rss_kB"] = static_cast<double>(PeakRssKb());
}
BENCHMARK(BM_ReceiveHandler)->Arg(64)->Arg(2048);

void BM_QueueAndPump(benchmark::State& state) {
    Rig rig;
    const std::string line = NcText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        rig.terminal.QueueText(line, false);
        while (rig.terminal.Tx.Count() != 0) {
            rig.terminal.HandleMessage(WindowMsg::LineEvent, kLineEventTxEmpty, kModemCts);
        }
        if (rig.port.Written.size() > (1u << 20)) rig.port.Written.clear();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
    state.counters["peak_rss_kB"] = static_cast<double>(PeakRssKb());
}
BENCHMARK(BM_QueueAndPump)->Arg(40)->Arg(4096);

}  // namespace
