#pragma once
// Writing a whole file so that a failure never leaves it half written: the
// bytes go to a sibling file first, which then replaces the target in one
// rename. If anything fails, the old file is still there, untouched.

#include <filesystem>
#include <string_view>

class FileReplacer {
public:
    // 1 when `target` now holds exactly `bytes`, 0 on any failure (folder not
    // writable, disk full, target is a folder ...). The sibling is removed
    // again on failure.
    static int Write(const std::filesystem::path& target, std::string_view bytes);

    // Name of the sibling that is written before the rename.
    static std::filesystem::path TemporaryPath(const std::filesystem::path& target);
};
