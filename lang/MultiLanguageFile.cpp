#include "lang/MultiLanguageFile.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "lang/FileReplacer.h"
#include "lang/Utf8.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Trims ASCII white space only. Every byte of a UTF-8 multibyte sequence is
// 0x80 or above, so this never cuts into a character.
std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// A text longer than any caption or message is cut (at a character's start),
// so that a broken or hostile file cannot stall every window that shows it.
std::string CutText(std::string_view text)
{
    text = Trim(text);
    if (text.size() > MultiLanguageFile::kMaxTextBytes) {
        std::size_t end = MultiLanguageFile::kMaxTextBytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
        // The cut may leave blanks at the end, which a later read would trim.
        text = Trim(text.substr(0, end));
    }
    return std::string(text);
}

// One data line into its row number and row; false for a line without a TAB
// or without a row number from 0 to kMaxRowNumber before it.
bool ParseRow(std::string_view line, int& number, tMULTI_LANGUAGE& row)
{
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos) {
        return false;
    }
    const std::string_view digits = Trim(line.substr(0, firstTab));
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    number = 0;
    for (const char c : digits) {
        number = number * 10 + (c - '0');
    }
    std::string_view rest = line.substr(firstTab + 1);
    for (int slot = 0; slot < kLanguageSlots; ++slot) {
        const std::size_t tab = rest.find('\t');
        if (tab == std::string_view::npos) {
            row.str[slot] = CutText(rest);
            break;
        }
        row.str[slot] = CutText(rest.substr(0, tab));
        rest = rest.substr(tab + 1);
    }
    return true;
}

void AppendSlot(std::string& out, const std::string& text)
{
    for (char c : text) {
        out.push_back((c == '\t' || c == '\r' || c == '\n') ? ' ' : c);
    }
}

}  // namespace

int MultiLanguageFile::Load(const std::filesystem::path& path, MultiLanguageArray& table,
                            const Decoder& decoder, LanguageFileReport* report)
{
    if (path.empty()) {
        return 0;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return 0;
    }
    std::string bytes;
    char chunk[16384];
    while (in) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes) {
            return 0;
        }
    }
    // eof alone is the normal end; bad means the read broke off (a folder, an
    // I/O error), and half a table is worse than the built-in one.
    if (in.bad()) {
        return 0;
    }
    return Parse(bytes, table, decoder, report);
}

int MultiLanguageFile::Parse(std::string_view bytes, MultiLanguageArray& table,
                             const Decoder& decoder, LanguageFileReport* report)
{
    // A NUL byte means a binary file or a UTF-16 one; neither is ours.
    if (bytes.find('\0') != std::string_view::npos) {
        return 0;
    }
    std::string decoded;
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (!IsValidUtf8(bytes)) {
        if (!decoder) {
            return 0;
        }
        std::optional<std::string> converted = decoder(bytes);
        if (!converted || !IsValidUtf8(*converted) ||
            converted->find('\0') != std::string::npos) {
            return 0;
        }
        decoded = std::move(*converted);
        bytes = decoded;
    }

    MultiLanguageArray rows = table;
    std::vector<bool> given(rows.GetCount(), false);
    LanguageFileReport found;
    bool firstLine = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (firstLine) {
            if (line.find(kMarker) == std::string_view::npos) {
                return 0;
            }
            firstLine = false;
            continue;
        }
        int number = 0;
        tMULTI_LANGUAGE row;
        if (!ParseRow(line, number, row)) {
            if (!Trim(line).empty()) {
                ++found.LinesSkipped;
            }
            continue;
        }
        const auto index = static_cast<std::size_t>(number);
        while (rows.GetCount() <= index) {
            rows.Add(tMULTI_LANGUAGE{});
        }
        if (given.size() <= index) {
            given.resize(index + 1, false);
        }
        rows[index] = std::move(row);
        given[index] = true;
        ++found.RowsRead;
    }
    if (found.RowsRead == 0) {
        return 0;
    }
    found.RowsMissing = static_cast<int>(
        std::count(given.begin(), given.begin() + static_cast<std::ptrdiff_t>(table.GetCount()), false));
    table = std::move(rows);
    if (report != nullptr) {
        *report = found;
    }
    return static_cast<int>(table.GetCount());
}

std::string MultiLanguageFile::Format(const MultiLanguageArray& table)
{
    std::string out;
    out.append(kMarker);
    out.append("\r\n");
    for (std::size_t i = 0; i < table.GetCount(); ++i) {
        out.append(std::to_string(i));
        for (const std::string& text : table[i].str) {
            out.push_back('\t');
            AppendSlot(out, text);
        }
        out.append("\r\n");
    }
    return out;
}

int MultiLanguageFile::Save(const std::filesystem::path& path, const MultiLanguageArray& table)
{
    // A rename would replace a file its owner marked read-only without asking;
    // someone locked these texts on purpose.
    std::error_code error;
    const std::filesystem::file_status old = std::filesystem::status(path, error);
    if (!error && std::filesystem::is_regular_file(old) &&
        (old.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none) {
        return 0;
    }
    return FileReplacer::Write(path, Format(table));
}
