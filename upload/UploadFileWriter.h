#pragma once
// Stores an uploaded program under its file name. An older file of that name
// first moves into the kept versions; when it cannot be kept it stays as it
// is, and the new program goes beside it under a name of its own, so that
// neither is lost. The new program is written whole before the older file
// moves, so a write that fails (a full disk) changes nothing.

#include <chrono>
#include <string>

struct UploadWriteResult {
    enum class Outcome { Written, WrittenAside, Failed };
    Outcome Result = Outcome::Failed;
    std::string Path;    // the file that now holds the program
    std::string Error;   // why the older file could not be kept, or the write failed
};

class UploadFileWriter {
public:
    // `keptVersions`: how many older versions of each file stay (0: none).
    static UploadWriteResult Write(const std::string& path, const std::string& text,
                                   std::chrono::system_clock::time_point now, int keptVersions);
};
