#include "upload/UploadFileWriter.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/KeptVersions.h"
#include "lang/FileReplacer.h"

namespace fs = std::filesystem;

UploadWriteResult UploadFileWriter::Write(const std::string& path, const std::string& text,
                                          std::chrono::system_clock::time_point now, int keptVersions) {
    UploadWriteResult result;
    std::error_code ec;
    const bool replacing = keptVersions > 0 && fs::is_regular_file(path, ec);
    std::string keepError;
    if (!KeptVersions::KeepBeforeReplacing(path, now, keptVersions, keepError)) {
        result.Error = keepError;
        result.Path = path + "." + KeptVersions::Stamp(now) + ".new";
        if (FileReplacer::Write(fs::path(result.Path), text)) {
            result.Result = UploadWriteResult::Outcome::WrittenAside;
        } else {
            result.Error += "; cannot write " + result.Path;
        }
        return result;
    }
    if (FileReplacer::Write(fs::path(path), text)) {
        result.Result = UploadWriteResult::Outcome::Written;
        result.Path = path;
        return result;
    }
    result.Error = "cannot write " + path;
    if (replacing) {
        // The older file is the newest kept version now: it goes back in place.
        const std::vector<std::string> versions = KeptVersions::VersionsOf(path);
        if (!versions.empty()) fs::rename(versions.back(), path, ec);
    }
    return result;
}
