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

#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
    // Every command line taken, as typed (upper-cased), for tests.
    const std::vector<std::string>& Commands() const { return commands_; }
    // The stored program of that name, or nullptr.
    const Program* Find(const std::string& name) const {
        for (const Program& program : programs_)
            if (program.name == name) return &program;
        return nullptr;
    }

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

    // Stores a received program in place of any program of the same name.
    void Keep(Program program) {
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
    std::vector<std::string> commands_;
};

template <typename ProgramT>
void CommandLineMachine<ProgramT>::OnLineByte(uint8_t byte) {
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
