#include "ui/models/PatDirReader.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "lang/Utf8.h"

namespace {

// The text of a fixed field: up to its first NUL byte, or the whole field.
std::string_view FieldText(std::string_view field) {
    const std::size_t nul = field.find('\0');
    return nul == std::string_view::npos ? field : field.substr(0, nul);
}

}  // namespace

std::string PatDirReader::DecodeName(std::string_view bytes, const Decoder& decoder, bool& ok) {
    ok = true;
    if (IsValidUtf8(bytes)) return std::string(bytes);
    if (decoder) {
        if (std::optional<std::string> decoded = decoder(bytes)) return *decoded;
    }
    ok = false;
    std::string shown;
    for (char c : bytes) shown += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return shown;
}

bool PatDirReader::IsUsableTargetName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

std::vector<PatDirRecord> PatDirReader::Parse(std::string_view bytes, const Decoder& decoder) {
    std::vector<PatDirRecord> records;
    if (bytes.size() < kHeaderBytes) return records;
    std::size_t pos = kHeaderBytes;
    // The last record may lack its 13 trailing bytes: the two names are there.
    while (bytes.size() - pos >= kIdentifiedBytes + kFileNameBytes) {
        const std::string_view identified = FieldText(bytes.substr(pos, kIdentifiedBytes));
        const std::string_view file = FieldText(bytes.substr(pos + kIdentifiedBytes, kFileNameBytes));
        pos += kIdentifiedBytes + kFileNameBytes;
        pos += std::min(kRestBytes, bytes.size() - pos);

        PatDirRecord record;
        bool identifiedOk = true;
        bool fileOk = true;
        record.IdentifiedName = DecodeName(identified, decoder, identifiedOk);
        record.FileName = DecodeName(file, decoder, fileOk);
        record.UsableTarget = identifiedOk && IsUsableTargetName(record.IdentifiedName);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<PatDirRecord> PatDirReader::Read(const std::filesystem::path& path, const Decoder& decoder) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxFileBytes) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {};
    return Parse(bytes, decoder);
}
