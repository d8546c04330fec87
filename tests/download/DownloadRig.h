#pragma once
// The terminal with the link and download jobs on the simulated radio terminal,
// a connected channel of the machine type under test, and a folder of NC
// files for the download dialog's answer (DownloadFixture for the tests).

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "download/DownloadDispatcher.h"
#include "download/DownloadJobs.h"
#include "support/TempFolder.h"
#include "link/LinkRig.h"

class DownloadRig : public LinkRig {
public:
    // Channel `channel` of `type` on sub module `serial`, with `machine` behind it.
    template <typename M>
    M& AttachMachine(int channel, const std::string& serial, const std::string& type) {
        StoreChannel(channel, serial, type);
        auto machine = std::make_unique<M>();
        M& ref = *machine;
        radio.AttachMachine(serial, std::move(machine));
        channel_ = channel;
        return ref;
    }

    void WriteNc(const std::string& name, const std::string& bytes) { TempFolder::Write(files / name, bytes); }

    // The dialog chooses these files of the folder, in this order.
    void Choose(const std::vector<std::string>& names) {
        view.DownloadAnswer = DownloadRequest{};
        view.DownloadAnswer.TransferFolder = files.Path().string();
        for (const std::string& name : names) {
            std::error_code error;
            auto size = std::filesystem::file_size(files / name, error);
            view.DownloadAnswer.Files.push_back({name, error ? 0 : static_cast<uint64_t>(size), ""});
        }
    }

    // Connects (when not connected yet) and runs one download to its end.
    bool Download(const std::vector<std::string>& names, uint64_t maxMs = 600000) {
        Choose(names);
        if (!(terminal.StatusFlags & Status::SubConnected) && !ConnectChannel(channel_)) return false;
        Post(WindowMsg::StartDownload);
        return RunUntilIdle(maxMs);
    }

    const DownloadDispatcher::RunResult& LastRun() const { return dispatcher.LastRun(); }
    int Count(const std::string& text) const {
        int n = 0;
        for (const std::string& t : StatusTexts()) n += t == text ? 1 : 0;
        return n;
    }
    bool ShownStartingWith(const std::string& prefix) const {
        for (const std::string& t : StatusTexts())
            if (t.rfind(prefix, 0) == 0) return true;
        return false;
    }

    DownloadDispatcher& dispatcher = AddDownloadJobs(terminal);
    TempFolder files;
    int channel_ = 1;
};
