#pragma once
// The four machine types whose programs are taken by tape input or a command
// line, each behind its own channel (4 CITIZEN/M10, 5 TDK/VC5A, 6 TDK/VC5,
// 7 UNIVERSAL), and what each has stored.

#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "lists/ListJobs.h"
#include "sim/CitizenM10Machine.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"

class FourTypesFixture : public DownloadFixture {
protected:
    static constexpr const char* kProgramName = "PRG1";

    // The dispatcher reads the program list of TDK/VC5 and UNIVERSAL machines first.
    ListJobs lists = AddListJobs(terminal);

    CitizenM10Machine& citizen = AttachMachine<CitizenM10Machine>(4, "000000000004", "CITIZEN/M10");
    TdkVc5aMachine& vc5a = AttachMachine<TdkVc5aMachine>(5, "000000000005", "TDK/VC5A");
    TdkVc5Machine& vc5 = AttachMachine<TdkVc5Machine>(6, "000000000006", "TDK/VC5");
    UniversalMachine& universal = AttachMachine<UniversalMachine>(7, "000000000007", "UNIVERSAL");

    // Works with the channel of `type` from here on.
    void Use(const std::string& type) {
        static const char* const kTypes[] = {"CITIZEN/M10", "TDK/VC5A", "TDK/VC5", "UNIVERSAL"};
        for (int i = 0; i < 4; ++i)
            if (type == kTypes[i]) channel_ = 4 + i;
    }
    std::string Serial() const { return "00000000000" + std::to_string(channel_); }
    SimulatedSubModule& Sub() { return *radio.FindSubModule(Serial()); }

    // Chooses the files, each stored on the machine under kProgramName.
    bool Send(const std::vector<std::string>& names, uint64_t maxMs = 600000) {
        Choose(names);
        for (TransferItem& item : view.DownloadAnswer.Files) item.McProgramName = kProgramName;
        if (!(terminal.StatusFlags & Status::SubConnected) && !ConnectChannel(channel_)) return false;
        Post(WindowMsg::StartDownload);
        return RunUntilIdle(maxMs);
    }
    // Starts a download of `name` and runs until `waiting` holds.
    bool StartAndRunUntil(const std::string& name, const std::function<bool()>& waiting) {
        Choose({name});
        for (TransferItem& item : view.DownloadAnswer.Files) item.McProgramName = kProgramName;
        if (!(terminal.StatusFlags & Status::SubConnected) && !ConnectChannel(channel_)) return false;
        Post(WindowMsg::StartDownload);
        return loop.RunUntil(waiting, 120000);
    }

    // The lines of the program the machine of the current channel stored last.
    std::vector<std::string> StoredLines() {
        switch (channel_) {
            case 4: return citizen.Programs().empty() ? std::vector<std::string>{}
                                                      : CitizenM10Machine::Lines(citizen.Programs().back());
            case 5: return vc5a.Programs().empty() ? std::vector<std::string>{} : vc5a.Programs().back();
            case 6: return vc5.Find(kProgramName) ? vc5.Find(kProgramName)->lines : std::vector<std::string>{};
            default:
                return universal.Find(kProgramName) ? universal.Find(kProgramName)->lines
                                                    : std::vector<std::string>{};
        }
    }
    std::string RadioText() {
        std::vector<uint8_t> bytes = RadioBytes(Serial());
        return std::string(bytes.begin(), bytes.end());
    }
};
