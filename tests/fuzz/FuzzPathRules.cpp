// The name and path rules on arbitrary text: what an operator types, what a
// folder listing returns, what the settings file holds.
//
// Rules checked: SplitPath and JoinPath put a path back together; the
// clean-ups keep their promises (length, replaced bytes, no cut characters)
// and a cleaned text stays the same when cleaned again; the file patterns
// match what they say they match.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/PathRules.h"
#include "fuzz/FuzzCheck.h"
#include "lang/Utf8.h"

namespace {

bool IsBlankOrLineEnd(char c) { return c == ' ' || c == '\r' || c == '\n'; }

void CheckSplitJoin(const std::string& path, const std::string& other) {
    std::string folder, file;
    SplitPath(path, folder, file);
    FUZZ_CHECK(file.find('/') == std::string::npos);
    if (path.find('/') == std::string::npos) {
        FUZZ_CHECK(folder.empty() && file == path);
    } else if (folder == "/" && path.size() == file.size() + 1) {
        FUZZ_CHECK(path == "/" + file);
    } else {
        FUZZ_CHECK(path == folder + "/" + file);
    }
    FUZZ_CHECK(FolderOfPath(path) == folder);

    const std::string joined = JoinPath(other, path);
    FUZZ_CHECK(joined.ends_with(file));
    // The joined path names the same file again.
    std::string joinedFolder, joinedFile;
    SplitPath(joined, joinedFolder, joinedFile);
    FUZZ_CHECK(joinedFile == file);
}

void CheckCleanFolder(const std::string& text) {
    const std::string folder = CleanFolderText(text);
    FUZZ_CHECK(folder.size() <= text.size());
    FUZZ_CHECK(CleanFolderText(folder) == folder);
    if (!folder.empty()) {
        FUZZ_CHECK(!IsBlankOrLineEnd(folder.front()) && !IsBlankOrLineEnd(folder.back()));
        FUZZ_CHECK(folder == "/" || folder.back() != '/');
        FUZZ_CHECK(text.find(folder) != std::string::npos);
    }
}

void CheckMcName(const std::string& text, McNameForm form) {
    const std::size_t limit = form == McNameForm::Long ? kMcNameLongLength : kMcNameShortLength;
    const std::string name = CleanMcProgramName(text, form);
    FUZZ_CHECK(name.size() <= limit);
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        FUZZ_CHECK(c != ' ' && c != ',' && b >= 0x20 && b != 0x7F);
        FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
    }
    // A well-formed name is never cut inside a character.
    if (IsValidUtf8(text)) FUZZ_CHECK(IsValidUtf8(name));
    FUZZ_CHECK(CleanMcProgramName(name, form) == name);
}

void CheckPcName(const std::string& text) {
    const std::string name = CleanPcFileName(text);
    FUZZ_CHECK(name.size() <= text.size());
    FUZZ_CHECK(name != "." && name != "..");
    for (char c : name) {
        FUZZ_CHECK(std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos);
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
    }
    if (!name.empty()) FUZZ_CHECK(name.front() != ' ' && name.back() != ' ');
    FUZZ_CHECK(CleanPcFileName(name) == name);
}

void CheckPatterns(const std::string& name, const std::string& pattern) {
    FUZZ_CHECK(MatchesFilePattern(name, "*"));
    FUZZ_CHECK(MatchesFilePattern(name, "*.*"));
    FUZZ_CHECK(MatchesFilePattern(name, name));
    FUZZ_CHECK(MatchesFilePattern(name, "*" + name));
    FUZZ_CHECK(MatchesFilePattern(name, name + "*"));
    // Case is ignored for ASCII letters only.
    std::string upper = name;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    FUZZ_CHECK(MatchesFilePattern(upper, name) && MatchesFilePattern(name, upper));
    // Any pattern: it answers, and a pattern without '*' or '?' matches only
    // names of its own length.
    const bool matched = MatchesFilePattern(name, pattern);
    if (matched && pattern.find_first_of("*?") == std::string::npos) {
        FUZZ_CHECK(name.size() == pattern.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view all(reinterpret_cast<const char*>(data), size);
    // Two texts: the input up to the first NUL, and the rest.
    const std::size_t cut = all.find('\0');
    const std::string first(all.substr(0, cut));
    const std::string second(cut == std::string_view::npos ? std::string_view() : all.substr(cut + 1));

    CheckSplitJoin(first, second);
    CheckCleanFolder(first);
    CheckMcName(first, McNameForm::Long);
    CheckMcName(first, McNameForm::Short);
    CheckPcName(first);
    CheckPatterns(first, second);
    return 0;
}
