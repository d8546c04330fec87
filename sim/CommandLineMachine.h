#pragma once
// A machine worked through a command line behind a prompt (UNIVERSAL,
// TDK/VC5), with a store of programs it can list. The keyboard side is the
// same on every such machine:
//
//   printable    upper-cased and kept; echoed when EchoesTyping()
//   DEL, BS      take the last character back; a backspace is echoed when
//                EchoesErasing()
//   CR           hands the line, without the spaces around it, to OnLine
//   ETX          drops what was typed, then OnEtx (the prompt unless the
//                machine says otherwise)
//
// Other control bytes are ignored. Each machine type brings its prompt, its
// commands and its listing.
//
// While it takes a system program the keyboard is off: every byte is kept,
// and once the line has been quiet for kLoadQuietMs the load is over and the
// machine runs the new program (OnSystemProgramTaken).

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/SimScheduler.h"
#include "sim/SimulatedMachine.h"

template <typename ProgramT>
class CommandLineMachine : public SimulatedMachine {
public:
    using Program = ProgramT;

    void OnLineByte(uint8_t byte) override;

    const std::vector<Program>& Programs() const { return programs_; }
    void SetPrograms(std::vector<Program> programs) { programs_ = std::move(programs); }
    // A machine that takes everything and answers nothing.
    void SetAnswering(bool answering) { answering_ = answering; }
    // A faulty store: line `line` (from 1) of every program taken from now on
    // is kept with a '9' after its first character; 0 keeps them as received.
    void SetAlteredLine(int line) { alteredLine_ = line; }
    // Every command line taken, as typed (upper-cased), for tests.
    const std::vector<std::string>& Commands() const { return commands_; }
    // The stored program of that name, or nullptr.
    const Program* Find(const std::string& name) const {
        for (const Program& program : programs_)
            if (program.name == name) return &program;
        return nullptr;
    }

    static constexpr uint32_t kLoadQuietMs = 1500;
    bool LoadingSystemProgram() const { return loading_; }
    // Every byte of the load in progress, or of the last one (a loader in
    // front of the program included).
    const std::vector<uint8_t>& SystemLoadBytes() const { return loadBytes_; }
    // The system program the machine last took whole (empty: none yet).
    const std::vector<uint8_t>& SystemProgram() const { return systemProgram_; }

protected:
    explicit CommandLineMachine(std::vector<Program> programs) : programs_(std::move(programs)) {}

    // The prompt on a new line.
    virtual void ShowPrompt() = 0;
    // CR was typed; `line` is what stood before it, trimmed, and may be empty.
    virtual void OnLine(const std::string& line) = 0;
    // ETX was typed; what stood on the line is gone already.
    virtual void OnEtx() { ShowPrompt(); }
    virtual bool EchoesTyping() const { return true; }
    virtual bool EchoesErasing() const { return true; }

    // Runs one command line; false when the machine does not know it.
    virtual bool RunCommand(const std::string& command) = 0;
    // Keeps `command` in Commands() (unless empty) and runs it; a command the
    // machine does not know is answered with `unknown`.
    void TakeCommand(const std::string& command, const std::string& unknown) {
        if (!command.empty()) commands_.push_back(command);
        if (!RunCommand(command)) SendToLine(unknown);
    }

    // From now on every byte belongs to a system program; the first
    // `loaderBytes` are a loader that comes in front of it.
    void BeginSystemLoad(std::size_t loaderBytes) {
        loading_ = true;
        loaderBytes_ = loaderBytes;
        loadBytes_.clear();
    }
    // The load is over: the machine runs the new program.
    virtual void OnSystemProgramTaken() {}
    // Stores a received program in place of any program of the same name.
    void Keep(Program program) {
        if (alteredLine_ > 0 && static_cast<std::size_t>(alteredLine_) <= program.lines.size()) {
            std::string& line = program.lines[static_cast<std::size_t>(alteredLine_ - 1)];
            line.insert(line.empty() ? 0 : 1, "9");
        }
        for (Program& stored : programs_) {
            if (stored.name == program.name) {
                stored = std::move(program);
                return;
            }
        }
        programs_.push_back(std::move(program));
    }

    std::vector<Program> programs_;

private:
    void TakeLoadByte(uint8_t byte) {
        loadBytes_.push_back(byte);
        lastLoadByteMs_ = Scheduler().Now();
        if (!quietCheckPending_) ScheduleQuietCheck(kLoadQuietMs);
    }
    void ScheduleQuietCheck(uint32_t delayMs) {
        quietCheckPending_ = true;
        After(delayMs, [this] {
            quietCheckPending_ = false;
            uint64_t quiet = Scheduler().Now() - lastLoadByteMs_;
            if (quiet < kLoadQuietMs) {
                ScheduleQuietCheck(static_cast<uint32_t>(kLoadQuietMs - quiet));
                return;
            }
            loading_ = false;
            std::size_t skip = std::min(loaderBytes_, loadBytes_.size());
            systemProgram_.assign(loadBytes_.begin() + static_cast<std::ptrdiff_t>(skip), loadBytes_.end());
            SystemProgramTaken(systemProgram_);
            OnSystemProgramTaken();
        });
    }

    bool loading_ = false;
    std::size_t loaderBytes_ = 0;
    std::vector<uint8_t> loadBytes_;
    std::vector<uint8_t> systemProgram_;
    uint64_t lastLoadByteMs_ = 0;
    bool quietCheckPending_ = false;

    static constexpr uint8_t kEtx = 0x03;
    static constexpr uint8_t kBackspace = 0x08;
    static constexpr uint8_t kCr = 0x0D;
    static constexpr uint8_t kDel = 0x7F;

    static std::string Trimmed(const std::string& text) {
        std::size_t begin = text.find_first_not_of(' ');
        if (begin == std::string::npos) return {};
        return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
    }

    std::string typed_;
    bool answering_ = true;
    int alteredLine_ = 0;
    std::vector<std::string> commands_;
};

template <typename ProgramT>
void CommandLineMachine<ProgramT>::OnLineByte(uint8_t byte) {
    if (loading_) {
        TakeLoadByte(byte);
        return;
    }
    if (!answering_) return;
    switch (byte) {
        case kCr: {
            std::string line = Trimmed(typed_);
            typed_.clear();
            OnLine(line);
            return;
        }
        case kEtx:
            typed_.clear();
            OnEtx();
            return;
        case kDel:
        case kBackspace:
            if (!typed_.empty()) {
                typed_.pop_back();
                if (EchoesErasing()) SendToLine(std::vector<uint8_t>{kBackspace});
            }
            return;
        default: break;
    }
    if (byte < 0x20 || byte > 0x7E) return;
    char c = static_cast<char>(std::toupper(byte));
    typed_.push_back(c);
    if (EchoesTyping()) SendToLine(std::string(1, c));
}
