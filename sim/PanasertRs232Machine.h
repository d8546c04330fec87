#pragma once
// A simulated PANASERT/RS232 machine. It takes frames
//
//   STX, length "%02X", command, data, checksum "%02X", CR or ETX
//
// (length: characters of command and data; checksum: 0 minus the 8-bit sum
// of length, command and data) and answers each in the same form, ending its
// own frames with the end byte it is set to (CR unless told ETX):
//
//   "A2"         abort: a program not yet ended is dropped; "A0"
//   "C0" name    starts a program under that name; "A0"
//   "D0" line    stores the line; a line holding '*' ends the program; "A0"
//   "A1"         the PC did not understand the last answer: it is sent again
//   a frame with a bad length or checksum: "A1" with "E05" or "E03"
//   "C1" name    sends the program of that name (empty: the one stored last,
//                a sample before any) as "D0" frames, one line each, the
//                next after the PC's "A0", then "A2"; no such program: "A3"
//
// Knobs for tests: answers sent with a wrong checksum, data frames that the
// machine asks for again, and a machine that stops answering.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class PanasertRs232Machine : public SimulatedMachine {
public:
    struct Program {
        std::string name;
        std::vector<std::string> lines;
    };

    std::string TypeName() const override { return "PANASERT/RS232"; }
    void OnLineByte(uint8_t byte) override;

    const std::vector<Program>& Programs() const { return programs_; }
    const Program& Current() const { return current_; }
    // Programs dropped by "A2" before their end.
    int Aborts() const { return aborts_; }
    // Every frame taken, as command and data ("C0NAME", "D0N001X10"); a
    // frame that failed its check as "?" and its text.
    const std::vector<std::string>& Frames() const { return frames_; }
    const std::vector<uint8_t>& Received() const { return received_; }

    void SetEndByte(uint8_t endByte) { endByte_ = endByte; }
    // The next `count` answers go out with a wrong checksum.
    void SetBadChecksumAnswers(int count) { badChecksums_ = count; }
    // The next `count` data frames are answered "A1" instead of being taken.
    void SetRepeatRequests(int count) { repeatRequests_ = count; }
    // After `frames` more frames the machine answers nothing. -1: no limit.
    void SetStopAfterFrames(int frames) { framesLeft_ = frames; }
    // Whether "A2" is answered; the PC then waits its full time after the
    // closing "A2".
    void SetAnswerAbort(bool answer) { answerAbort_ = answer; }

    // The frame text the machine expects for `command` and `data`, without
    // STX and end byte.
    static std::string FrameText(const std::string& command, const std::string& data);

    static Program SampleProgram();
    // Stores a program as if it had been loaded.
    void AddProgram(Program program) { programs_.push_back(std::move(program)); }

private:
    void TakeFrame(const std::string& text);
    void Answer(const std::string& command, const std::string& data = {});
    void SendAnswer();
    void StartOutput(const std::string& name);
    void SendNextLine();

    uint8_t endByte_ = 0x0D;
    int badChecksums_ = 0;
    int repeatRequests_ = 0;
    int framesLeft_ = -1;
    bool answerAbort_ = true;

    bool inFrame_ = false;
    std::string frame_;
    std::string lastAnswer_;
    bool inProgram_ = false;
    Program current_;
    std::vector<Program> programs_;
    int aborts_ = 0;
    // The program going out after "C1", and the next line to send.
    bool sending_ = false;
    Program output_;
    std::size_t outputLine_ = 0;
    std::vector<std::string> frames_;
    std::vector<uint8_t> received_;
};
