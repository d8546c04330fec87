#include "lang/FileReplacer.h"

#include <fstream>
#include <system_error>

std::filesystem::path FileReplacer::TemporaryPath(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".saving";
    return temporary;
}

int FileReplacer::Write(const std::filesystem::path& target, std::string_view bytes)
{
    return WriteTemporary(target, bytes) && Commit(target);
}

int FileReplacer::WriteTemporary(const std::filesystem::path& target, std::string_view bytes)
{
    if (target.empty() || !target.has_filename()) {
        return 0;
    }
    const std::filesystem::path temporary = TemporaryPath(target);
    std::error_code ec;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) {
        return 0;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    if (out.fail()) {
        std::filesystem::remove(temporary, ec);
        return 0;
    }
    return 1;
}

int FileReplacer::Commit(const std::filesystem::path& target)
{
    const std::filesystem::path temporary = TemporaryPath(target);
    std::error_code ec;
    // Keep the access rights the old file had; a fresh file would get the
    // process defaults instead.
    const auto old = std::filesystem::status(target, ec);
    if (!ec && std::filesystem::is_regular_file(old)) {
        std::filesystem::permissions(temporary, old.permissions(), ec);
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return 0;
    }
    return 1;
}
