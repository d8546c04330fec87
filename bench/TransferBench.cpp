// Program downloads of every machine type against the simulated radio terminal
// on the virtual clock, measured against what the line allows.
//
//   build/bench/kova-bench --benchmark_filter=BM_Download
//
// For each type a file of about 1, 10 and 100 KB (lines shaped like that type's
// programs) goes through the download dialog's answer to the type's download job,
// over the simulated PC port, host module, radio, sub module and machine, all
// at the type's default line settings. Elapsed time is virtual: from the start
// of the type's download job to its end.
//
// The protocol's limit, the time no implementation can beat:
//
//   limit = C_to   x (frame bits + delay bits) / baud      characters to the machine
//         + C_from x  frame bits / baud                     answers the protocol waits for
//         + R      x  radio round trip                      (2 x the radio's one-way latency)
//
//   C_to    every character the protocol puts on the machine line: the lines
//           with their terminators, frames, the NUL leaders and fillers it
//           prescribes, start and end marks;
//   C_from  the machine's answers the PC must receive before it goes on
//           (echoed lines, acknowledge frames, prompts, ready marks); an echo
//           of each typed character runs beside the sending and does not count;
//   R       the exchanges the protocol waits for: each echo, acknowledge or
//           prompt awaited, each sub-module command echo, and each ready report
//           (0xFD) when lines are paced by them.
//
// Not in the limit, so counted against it: the 9600-baud PC link, the fixed
// waits the protocol prescribes (quiet spells, the 500 ms after the first
// PANASERT/RS232 frame or after the TDK/VC5 "RE" command), and the machine's own
// pause before it reports the end of a program.
//
// Counters: ratio = elapsed / limit, elapsed_s and limit_s in seconds, lines,
// ms_per_line = elapsed / lines, and the retries and nudges the job needed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MachineType.h"
#include "download/DownloadRig.h"
#include "engine/JobBits.h"
#include "lists/ListJobs.h"
#include "sim/CitizenM10Machine.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"
#include "sim/SimLineParameters.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"

namespace {

constexpr const char* kProgramName = "PRG1";

std::string Format(const char* format, int a, int b, int c, int d) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// What must cross the machine line, and how often the PC waits for an answer.
struct Traffic {
    double toMachine = 0;
    double fromMachine = 0;
    double exchanges = 0;
};

struct TypeCase {
    const char* type;
    uint32_t jobBit;
    std::function<std::unique_ptr<SimulatedMachine>()> machine;
    std::vector<std::string> head;   // lines before the body
    std::function<std::string(int)> line;
    std::vector<std::string> tail;   // the program's end
    // The traffic of a file of these lines.
    std::function<Traffic(const std::vector<std::string>&)> traffic;
};

double Sum(const std::vector<std::string>& lines, size_t extra) {
    double n = 0;
    for (const std::string& line : lines) n += static_cast<double>(line.size() + extra);
    return n;
}

// Frame of `data` characters: STX, length, command, data, checksum, end byte.
double Frame(size_t data) { return static_cast<double>(data + 8); }

const std::vector<TypeCase>& Cases() {
    static const std::vector<TypeCase> cases = {
        {"DYNA/PERT", JobBit::DownloadDynaPert, [] { return std::make_unique<DynaPertMachine>(); }, {},
         [](int n) { return Format("N%04d X%d Y%d T%d", n % 10000, 125 * (n % 40), 350 + 25 * (n % 17), 1 + n % 8); },
         {"M02"},
         [](const std::vector<std::string>& lines) {
             // ETX and "*"; "L" and its echo; each line with CR, echoed with CR LF; the end "*".
             return Traffic{2 + Sum(lines, 1), 1 + 3 + Sum(lines, 2) + 1, 2 + static_cast<double>(lines.size())};
         }},
        {"PANASERT/RS232", JobBit::DownloadPanasertRs232, [] { return std::make_unique<PanasertRs232Machine>(); }, {},
         [](int n) {
             return Format("%04d X+%05d Y+%05d Z%03d", n % 10000, 500 + 250 * (n % 37), 1200 + 250 * (n % 23), 90 * (n % 2)) +
                    Format(" R%d C%03d", n % 2, 100 + n % 50, 0, 0);
         },
         {"*"},
         [](const std::vector<std::string>& lines) {
             // "A2", "C0" without a name, a "D0" per line, "A2"; an "A0" for "C0" and each "D0".
             Traffic t;
             t.toMachine = Frame(0) * 3;
             for (const std::string& line : lines) t.toMachine += Frame(line.size());
             t.fromMachine = Frame(0) * static_cast<double>(1 + lines.size());
             t.exchanges = static_cast<double>(1 + lines.size());
             return t;
         }},
        {"PANASERT/TTY", JobBit::DownloadPanasertTty, [] { return std::make_unique<PanasertTtyMachine>(); }, {},
         [](int n) {
             return Format("N%03d X+%04d.0 Y+%04d.0 T%02d", n % 1000, 100 + 50 * (n % 19), 200 + 50 * (n % 13), 1 + n % 9);
         },
         {"*"},
         [](const std::vector<std::string>& lines) {
             // CR echoed as CR LF, "RF," echoed; ten NULs and CR; each line with CR LF.
             // Waits: the two echoes, the ready reports' echo, then a ready report
             // after the leader and after each line.
             return Traffic{1 + 3 + 11 + Sum(lines, 2), 2 + 3, 3 + 1 + static_cast<double>(lines.size())};
         }},
        {"CITIZEN/M10", JobBit::DownloadCitizenM10, [] { return std::make_unique<CitizenM10Machine>(); },
         {"%", "O1001 (BENCH BOARD)"},
         [](int n) { return Format("N%04d X%d.%02d Y%d.08 T1", n % 10000, n % 90, n % 100, 5 + n % 60); },
         {"M30", "%"},
         [](const std::vector<std::string>& lines) {
             // The blank leader with CR LF, then the file as it is (CR LF line ends); the machine's DC1.
             return Traffic{22 + Sum(lines, 2), 1, 1};
         }},
        {"TDK/VC5A", JobBit::DownloadTdkVc5a, [] { return std::make_unique<TdkVc5aMachine>(); },
         {"N0000 X+000.00 Y+000.00 P00 M00 (BENCH)"},
         [](int n) {
             return Format("N%04d X+%03d.%02d Y+%03d.32 P01 M03", n % 10000, 10 + n % 90, n % 100, 20 + n % 70);
         },
         {"EX"},
         [](const std::vector<std::string>& lines) {
             // Twenty NULs; four NULs, the line and CR LF per line. Waits: seven
             // sub-module echoes, and a ready report after the NULs and after each line.
             return Traffic{20 + Sum(lines, 6), 0, 7 + 2 * static_cast<double>(lines.size())};
         }},
        {"TDK/VC5", JobBit::DownloadTdkVc5, [] { return std::make_unique<TdkVc5Machine>(); }, {"(BENCH BOARD)"},
         [](int n) {
             return Format("N%04d X+%05d Y+%05d A%02d F01", n % 10000, 1016 + 508 * (n % 40), 2032 + 508 * (n % 30),
                           90 * (n % 2));
         },
         {"EX"},
         [](const std::vector<std::string>& lines) {
             // "RE PRG1" and CR; ten NULs; five NULs, the line and CR per 'N' line and "EX".
             // Waits: the command's echo, the closing "." after "EX".
             Traffic t{8 + 10, 3, 2};
             for (const std::string& line : lines)
                 if (line[0] == 'N' || line.find("EX") != std::string::npos) t.toMachine += static_cast<double>(line.size() + 6);
             return t;
         }},
        {"UNIVERSAL", JobBit::DownloadUniversal, [] { return std::make_unique<UniversalMachine>(); }, {},
         [](int n) {
             return Format("%04d>  +%05d  X+%03d.700 Y+%03d.080", n % 10000, 100 * (1 + n % 9), 10 + n % 80, 5 + n % 90) +
                    Format(" T%02d", 1 + n % 9, 0, 0, 0);
         },
         {},
         [](const std::vector<std::string>& lines) {
             // ETX and the prompt; "IN PRG1" CR, its CR LF and the first step prompt;
             // per line the text after '>' with CR, echoed with CR LF and the next step prompt.
             Traffic t{1 + 8, 7 + 2 + 7, 2 + static_cast<double>(lines.size())};
             for (const std::string& line : lines) {
                 std::string text = line.substr(line.find('>') + 1);
                 text.erase(0, text.find_first_not_of(' '));
                 t.toMachine += static_cast<double>(text.size() + 1);
                 t.fromMachine += static_cast<double>(text.size() + 2 + 7);
             }
             return t;
         }},
    };
    return cases;
}

std::vector<std::string> Program(const TypeCase& c, size_t bytes) {
    std::vector<std::string> lines = c.head;
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    for (const std::string& line : c.tail) size += line.size() + 2;
    for (int n = 1; size < bytes; ++n) {
        lines.push_back(c.line(n));
        size += lines.back().size() + 2;
    }
    lines.insert(lines.end(), c.tail.begin(), c.tail.end());
    return lines;
}

class TransferRig : public DownloadRig {
public:
    explicit TransferRig(const TypeCase& c) : case_(c) {
        StoreChannel(1, "000000000001", c.type);
        radio.AttachMachine("000000000001", c.machine());
        // The operator of a TDK/VC5A has pressed start by the time the PC asks.
        if (auto* vc5a = dynamic_cast<TdkVc5aMachine*>(radio.FindSubModule("000000000001")->Machine()))
            vc5a->SetStartIntervalMs(0);
    }

    // Runs one download of `lines`; the virtual milliseconds its job ran, or -1 on failure.
    double Run(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteNc("BENCH.NCD", text);
        Choose({"BENCH.NCD"});
        for (TransferItem& item : view.DownloadAnswer.Files) item.McProgramName = kProgramName;
        if (!ConnectChannel(1)) return -1;
        Post(WindowMsg::StartDownload);
        const uint32_t bit = case_.jobBit;
        if (!loop.RunUntil([&] { return (terminal.Engine.ActiveJobs & bit) != 0; }, 600000)) return -1;
        uint64_t start = loop.NowMs();
        bool started = false;
        bool ended = loop.RunUntil(
            [&] {
                if (!started && view.WaitStartDialogOpen) {
                    started = true;
                    Post(WindowMsg::UserStart);
                }
                return (terminal.Engine.ActiveJobs & bit) == 0;
            },
            24ull * 3600 * 1000);
        if (!ended || !Shown("Downloading complete.")) return -1;
        return static_cast<double>(loop.NowMs() - start);
    }

    // The limit in milliseconds at the channel's line settings.
    double LimitMs(const std::vector<std::string>& lines) {
        SimLineParameters line = radio.FindSubModule("000000000001")->LineParameters();
        Traffic t = case_.traffic(lines);
        double roundTrip = 2.0 * host.Timing().radioLatencyMs;
        return t.toMachine * static_cast<double>(line.CharTimeUs(true)) / 1000.0 +
               t.fromMachine * static_cast<double>(line.CharTimeUs(false)) / 1000.0 + t.exchanges * roundTrip;
    }

private:
    const TypeCase& case_;
    ListJobs lists_ = AddListJobs(terminal);
};

void BM_Download(benchmark::State& state) {
    const TypeCase& c = Cases()[static_cast<size_t>(state.range(0))];
    const std::vector<std::string> lines = Program(c, static_cast<size_t>(state.range(1)) * 1024);
    state.SetLabel(c.type);
    double elapsedMs = 0;
    double limitMs = 0;
    TransferFigures figures;
    for (auto _ : state) {
        TransferRig rig(c);
        elapsedMs = rig.Run(lines);
        limitMs = rig.LimitMs(lines);
        figures = rig.terminal.Meter.Figures();
        if (elapsedMs < 0) {
            state.SkipWithError("the download did not complete");
            return;
        }
    }
    state.counters["ratio"] = elapsedMs / limitMs;
    state.counters["elapsed_s"] = elapsedMs / 1000.0;
    state.counters["limit_s"] = limitMs / 1000.0;
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["ms_per_line"] = elapsedMs / static_cast<double>(lines.size());
    // Time the protocol lost to repeats and to nudges into a quiet line.
    state.counters["retries"] = figures.Retries;
    state.counters["nudges"] = figures.Nudges;
}

void TypesAndSizes(benchmark::internal::Benchmark* b) {
    for (int type = 0; type < static_cast<int>(Cases().size()); ++type)
        for (int kb : {1, 10, 100}) b->Args({type, kb});
}
BENCHMARK(BM_Download)->Apply(TypesAndSizes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
