#pragma once
// Older versions of files that an upload replaces. Before a file is
// overwritten it moves into ".kova-history/" beside it as
// "<name>.<UTC time of replacement>" (e.g. "P1.NC.20261207T144323.120Z"); of
// each file only the newest `limit` versions stay.

#include <chrono>
#include <string>
#include <vector>

class KeptVersions {
public:
    static constexpr const char* kFolder = ".kova-history";

    // Moves an existing `path` into the history and drops the oldest versions
    // beyond `limit`; with limit 0 nothing is kept and the file stays to be
    // overwritten. True when there was nothing to keep or it was kept; false
    // (with the reason in `error`) when the file could not be moved: the
    // caller must not overwrite it then.
    static bool KeepBeforeReplacing(const std::string& path, std::chrono::system_clock::time_point now, int limit,
                                    std::string& error);
    // The time as a file name part: "20261207T144323.120Z" (no ':', which
    // other file systems refuse).
    static std::string Stamp(std::chrono::system_clock::time_point now);
    // The kept versions of `path`, oldest first (full paths).
    static std::vector<std::string> VersionsOf(const std::string& path);
};
