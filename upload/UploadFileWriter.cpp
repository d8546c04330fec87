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
    // The new program is on disk whole before the older file is touched: a
    // full disk or a folder that went away leaves the older file and its kept
    // versions as they were, and the target is without a file for no more
    // than one rename.
    const fs::path target(path);
    if (!FileReplacer::WriteTemporary(target, text)) {
        result.Error = "cannot write " + path;
        return result;
    }
    std::error_code ec;
    const bool replacing = keptVersions > 0 && fs::is_regular_file(path, ec);
    std::string keepError;
    if (!KeptVersions::KeepBeforeReplacing(path, now, keptVersions, keepError)) {
        result.Error = keepError;
        result.Path = path + "." + KeptVersions::Stamp(now) + ".new";
        fs::rename(FileReplacer::TemporaryPath(target), result.Path, ec);
        if (!ec) {
            result.Result = UploadWriteResult::Outcome::WrittenAside;
        } else {
            fs::remove(FileReplacer::TemporaryPath(target), ec);
            result.Error += "; cannot write " + result.Path;
        }
        return result;
    }
    if (FileReplacer::Commit(target)) {
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
