#include "app/PathRules.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// The clean-ups take off blanks and line ends only; a TAB is not a blank and
// stays for the later rules (a control byte in a name becomes '_').
bool IsBlankOrLineEnd(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

bool IsWhiteSpace(char c)
{
    return IsBlankOrLineEnd(c) || c == '\t' || c == '\v' || c == '\f';
}

template <typename Pred>
std::string TrimBoth(const std::string& text, Pred trimmed)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && trimmed(text[begin])) {
        ++begin;
    }
    while (end > begin && trimmed(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsControlByte(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// Length of the well-formed UTF-8 sequence that starts at `pos`; a byte that
// does not start one counts as a character of its own.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 1;
    }
    if (pos + length > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

bool MatchFrom(std::string_view name, std::string_view pattern)
{
    // Iterative glob with one back-tracking point for the last '*'.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += Utf8SequenceLength(name, n);
        } else if (p < pattern.size() && AsciiLower(pattern[p]) == AsciiLower(name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            starName += Utf8SequenceLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

void SplitPath(const std::string& path, std::string& folder, std::string& file)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder.clear();
        file = path;
        return;
    }
    folder = path.substr(0, slash == 0 ? 1 : slash);
    file = path.substr(slash + 1);
}

std::string FolderOfPath(const std::string& path)
{
    std::string folder;
    std::string file;
    SplitPath(path, folder, file);
    return folder;
}

std::string JoinPath(const std::string& folder, const std::string& path)
{
    std::string joined = TrimBoth(folder, IsWhiteSpace);
    if (!joined.empty() && joined.back() != '/') {
        joined += '/';
    }
    std::string pathFolder;
    std::string file;
    SplitPath(path, pathFolder, file);
    return joined + file;
}

std::string CleanFolderText(const std::string& folder)
{
    std::string text = TrimBoth(folder, IsBlankOrLineEnd);
    while (!text.empty()) {
        const char last = text.back();
        if (IsBlankOrLineEnd(last) || (last == '/' && text.size() > 1)) {
            text.pop_back();
        } else {
            break;
        }
    }
    return text;
}

bool MatchesFilePattern(std::string_view name, std::string_view pattern)
{
    if (MatchFrom(name, pattern)) {
        return true;
    }
    // "NAME.*" also stands for names without an extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*") {
        return name.find('.') == std::string_view::npos &&
               MatchFrom(name, pattern.substr(0, pattern.size() - 2));
    }
    return false;
}

int ListPcFiles(const std::string& pathPattern, TransferItemList& list)
{
    namespace fs = std::filesystem;
    list.clear();

    std::string folder;
    std::string pattern;
    SplitPath(pathPattern, folder, pattern);
    if (pattern.empty()) {
        return 0;
    }
    if (folder.empty()) {
        folder = ".";
    }

    std::error_code error;
    fs::directory_iterator it(fs::path(folder), error);
    if (error) {
        return 0;
    }
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            break;
        }
        std::error_code statusError;
        // Only regular files (or links to them): reading a fifo or a device as
        // an NC program would hang the transfer.
        if (!it->is_regular_file(statusError) || statusError) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (!MatchesFilePattern(name, pattern)) {
            continue;
        }
        const auto size = it->file_size(statusError);
        if (statusError) {
            continue;
        }
        TransferItem item;
        item.FileName = name;
        item.Length = static_cast<uint64_t>(size);
        list.push_back(std::move(item));
    }

    std::sort(list.begin(), list.end(), [](const TransferItem& a, const TransferItem& b) {
        const auto lessIgnoringCase = [](char x, char y) {
            return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
        };
        if (std::lexicographical_compare(a.FileName.begin(), a.FileName.end(), b.FileName.begin(),
                                         b.FileName.end(), lessIgnoringCase)) {
            return true;
        }
        if (std::lexicographical_compare(b.FileName.begin(), b.FileName.end(), a.FileName.begin(),
                                         a.FileName.end(), lessIgnoringCase)) {
            return false;
        }
        return a.FileName < b.FileName;  // std::string compares bytes as unsigned
    });
    return static_cast<int>(list.size());
}

std::string CleanMcProgramName(const std::string& text, McNameForm form)
{
    const std::size_t limit = form == McNameForm::Long ? kMcNameLongLength : kMcNameShortLength;
    const std::string trimmed = TrimBoth(text, IsBlankOrLineEnd);

    std::size_t cut = 0;
    while (cut < trimmed.size()) {
        const std::size_t next = cut + Utf8SequenceLength(trimmed, cut);
        if (next > limit) {
            break;
        }
        cut = next;
    }

    std::string name = trimmed.substr(0, cut);
    for (char& c : name) {
        if (c == ' ' || c == ',' || IsControlByte(static_cast<unsigned char>(c))) {
            c = '_';
        } else {
            c = AsciiUpper(c);
        }
    }
    return name;
}

std::string CleanPcFileName(const std::string& text)
{
    std::string name = TrimBoth(text, IsBlankOrLineEnd);
    constexpr std::string_view forbidden = "\\/:*?\"<>|";
    for (char& c : name) {
        if (forbidden.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    if (name == "." || name == "..") {
        return {};
    }
    return name;
}
