#pragma once
// The terminal with the link, list, download and upload jobs on the simulated
// radio terminal, a connected channel of the machine type under test, and a
// folder that receives the uploaded files (and holds files to download first).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "engine/UploadRequest.h"
#include "lists/ListJobs.h"
#include "upload/UploadDispatcher.h"
#include "upload/UploadJobs.h"

class UploadFixture : public DownloadFixture {
protected:
    // The dialog answers with these items, in this order: a file name, or for
    // machines with a program list "PROGRAM=FILE" (line count 0).
    void ChooseUpload(const std::vector<std::string>& items) {
        view.UploadAnswer = UploadRequest{};
        view.UploadAnswer.TransferFolder = files.Path().string();
        for (const std::string& item : items) {
            std::size_t eq = item.find('=');
            if (eq == std::string::npos) {
                view.UploadAnswer.Files.push_back({item, 0, ""});
            } else {
                view.UploadAnswer.Files.push_back({item.substr(eq + 1), 0, item.substr(0, eq)});
            }
        }
    }

    // Connects (when not connected yet) and runs one upload to its end.
    bool Upload(const std::vector<std::string>& items, uint64_t maxMs = 600000) {
        ChooseUpload(items);
        if (!(terminal.StatusFlags & Status::SubConnected) && !ConnectChannel(channel_)) return false;
        Post(WindowMsg::StartUpload);
        return RunUntilIdle(maxMs);
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(files / name); }
    std::string Read(const std::string& name) const {
        std::ifstream in(files / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The lines of a text, without their ends and without empty lines.
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::string line;
        for (char c : text) {
            if (c == '\r' || c == '\n') {
                if (!line.empty()) lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        if (!line.empty()) lines.push_back(line);
        return lines;
    }
    // The lines of a text that begin with 'N'.
    static std::vector<std::string> NLines(const std::string& text) {
        std::vector<std::string> lines;
        for (const std::string& line : Lines(text))
            if (line[0] == 'N') lines.push_back(line);
        return lines;
    }

    const UploadDispatcher::RunResult& LastUpload() const { return uploads.LastRun(); }

    ListJobs lists = AddListJobs(terminal);
    UploadDispatcher& uploads = AddUploadJobs(terminal);
};
