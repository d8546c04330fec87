#include "download/NcCoordinateReader.h"

#include <array>
#include <cmath>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Length of the number that starts at `i` (sign, digits, one point), 0 when
// no digit follows.
std::size_t NumberLength(std::string_view line, std::size_t i) {
    std::size_t j = i;
    if (j < line.size() && (line[j] == '+' || line[j] == '-')) ++j;
    bool digits = false;
    bool point = false;
    while (j < line.size()) {
        if (IsDigit(line[j])) {
            digits = true;
        } else if (line[j] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++j;
    }
    return digits ? j - i : 0;
}

NcWord::Kind KindOf(char letter) {
    switch (letter) {
        case 'N': return NcWord::Kind::Sequence;
        case 'X': case 'Y': case 'U': case 'V': return NcWord::Kind::Axis;
        case 'T': return NcWord::Kind::Tool;
        case 'G': case 'M': return NcWord::Kind::Code;
        default: return NcWord::Kind::Other;
    }
}

// A G or M code's number as written: "G91" and "G091" are both 91, whatever
// the dialect's implied decimals.
int CodeNumber(std::string_view digits) {
    int number = 0;
    for (char c : digits) {
        if (c == '.') break;
        if (IsDigit(c) && number < 100000) number = number * 10 + (c - '0');
    }
    return number;
}

struct TypeDialect {
    std::string_view Type;
    NcDialect Dialect;
};

// How each machine type writes a position without a decimal point: DYNA/PERT
// in thousandths of an inch, the PANASERT and TDK machines in hundredths of a
// millimetre, CITIZEN/M10 in thousandths of a millimetre; UNIVERSAL listings
// as written.
constexpr std::array<TypeDialect, 7> kDialects{{
    {"DYNA/PERT", {3, false}},
    {"PANASERT/RS232", {2, false}},
    {"PANASERT/TTY", {2, false}},
    {"CITIZEN/M10", {3, false}},
    {"TDK/VC5A", {2, false}},
    {"TDK/VC5", {2, false}},
    {"UNIVERSAL", {0, true}},
}};

}  // namespace

NcDialect NcDialect::ForMachineType(std::string_view type) {
    for (const TypeDialect& entry : kDialects) {
        if (entry.Type == type) return entry.Dialect;
    }
    return NcDialect{};
}

bool NcCoordinateReader::Value(std::string_view digits, double& value) const {
    std::size_t i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool point = false;
    bool any = false;
    for (; i < digits.size(); ++i) {
        char c = digits[i];
        if (c == '.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            any = true;
            if (point) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    if (!any) return false;
    value = whole + fraction;
    if (!point && dialect_.ImpliedDecimals > 0) value /= std::pow(10.0, dialect_.ImpliedDecimals);
    if (negative) value = -value;
    return true;
}

std::vector<NcWord> NcCoordinateReader::Words(std::string_view line) const {
    std::vector<NcWord> words;
    std::size_t i = 0;
    if (dialect_.TextAfterMarker) {
        std::size_t marker = line.find('>');
        if (marker != std::string_view::npos) {
            words.push_back({NcWord::Kind::Listing, 0, marker + 1});
            i = marker + 1;
        }
    }
    while (i < line.size()) {
        char c = line[i];
        if (c == '(') {
            std::size_t end = line.find(')', i);
            end = end == std::string_view::npos ? line.size() : end + 1;
            words.push_back({NcWord::Kind::Comment, i, end - i});
            i = end;
            continue;
        }
        if (c == '*' || c == '%') {
            words.push_back({NcWord::Kind::EndMark, i, 1});
            ++i;
            continue;
        }
        if (IsLetter(c)) {
            std::size_t number = NumberLength(line, i + 1);
            if (number != 0) {
                words.push_back({KindOf(Upper(c)), i, number + 1});
                i += number + 1;
                continue;
            }
            // "EX" ends TDK programs; it stands on its own, not as E with an X word.
            if (Upper(c) == 'E' && i + 1 < line.size() && Upper(line[i + 1]) == 'X' &&
                NumberLength(line, i + 2) == 0 && (i + 2 >= line.size() || !IsLetter(line[i + 2]))) {
                words.push_back({NcWord::Kind::EndMark, i, 2});
                i += 2;
                continue;
            }
        }
        ++i;
    }
    return words;
}

std::vector<NcPoint> NcCoordinateReader::Points(std::string_view text) const {
    std::vector<NcPoint> points;
    double x = 0;
    double y = 0;
    bool incremental = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        bool moved = false;
        for (const NcWord& word : Words(line)) {
            if (word.WordKind != NcWord::Kind::Axis && word.WordKind != NcWord::Kind::Code) continue;
            char letter = Upper(line[word.Start]);
            std::string_view digits = line.substr(word.Start + 1, word.Length - 1);
            if (word.WordKind == NcWord::Kind::Code) {
                if (letter != 'G') continue;
                int code = CodeNumber(digits);
                if (code == 90) incremental = false;
                if (code == 91) incremental = true;
                continue;
            }
            double value = 0;
            if (!Value(digits, value)) continue;
            switch (letter) {
                case 'X': x = incremental ? x + value : value; break;
                case 'Y': y = incremental ? y + value : value; break;
                case 'U': x += value; break;
                case 'V': y += value; break;
                default: continue;
            }
            moved = true;
        }
        if (moved) points.push_back({lineNumber, x, y});
        ++lineNumber;
        if (end == text.size()) break;
        start = end + 1;
    }
    return points;
}
