#include "app/KeptVersions.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string KeptVersions::Stamp(std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const auto days = floor<std::chrono::days>(sys_time<milliseconds>(milliseconds(millis)));
    const year_month_day date{days};
    const auto inDay = millis - duration_cast<milliseconds>(days.time_since_epoch()).count();
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(inDay / 3600000), static_cast<int>(inDay / 60000 % 60),
                  static_cast<int>(inDay / 1000 % 60), static_cast<int>(inDay % 1000));
    return text;
}

namespace {
constexpr std::size_t kStampLength = 20;
}  // namespace

std::vector<std::string> KeptVersions::VersionsOf(const std::string& path) {
    const fs::path file(path);
    const fs::path history = file.parent_path() / kFolder;
    const std::string prefix = file.filename().string() + ".";
    std::vector<std::string> versions;
    std::error_code ec;
    for (fs::directory_iterator it(history, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + kStampLength && name.compare(0, prefix.size(), prefix) == 0 &&
            name.back() == 'Z') {
            versions.push_back(it->path().string());
        }
    }
    // The stamps sort as their times do.
    std::sort(versions.begin(), versions.end());
    return versions;
}

bool KeptVersions::KeepBeforeReplacing(const std::string& path, std::chrono::system_clock::time_point now,
                                       int limit, std::string& error) {
    std::error_code ec;
    const fs::path file(path);
    if (limit <= 0 || !fs::is_regular_file(file, ec)) return true;
    const fs::path history = file.parent_path() / kFolder;
    fs::create_directories(history, ec);
    if (ec) {
        error = "cannot create " + history.string() + ": " + ec.message();
        return false;
    }
    fs::path target = history / (file.filename().string() + "." + Stamp(now));
    // Two replacements within one millisecond: the later keeps the next free millisecond.
    while (fs::exists(target, ec)) {
        now += std::chrono::milliseconds(1);
        target = history / (file.filename().string() + "." + Stamp(now));
    }
    fs::rename(file, target, ec);
    if (ec) {
        error = "cannot move " + path + " to " + target.string() + ": " + ec.message();
        return false;
    }
    std::vector<std::string> versions = VersionsOf(path);
    for (std::size_t i = 0; i + static_cast<std::size_t>(limit) < versions.size(); ++i) {
        fs::remove(versions[i], ec);
    }
    return true;
}
