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

    // Write in two steps, for a caller that has to do something between them:
    // WriteTemporary puts `bytes` whole into the sibling (1), or leaves no
    // sibling (0); Commit gives it the old file's access rights and renames it
    // over `target` (1), or removes it (0).
    static int WriteTemporary(const std::filesystem::path& target, std::string_view bytes);
    static int Commit(const std::filesystem::path& target);

    // Name of the sibling that is written before the rename.
    static std::filesystem::path TemporaryPath(const std::filesystem::path& target);
};
