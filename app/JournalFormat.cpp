#include "app/JournalFormat.h"

#include <cstdio>
#include <ctime>

namespace {
bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) return false;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
    return std::stoi(text.substr(from, count));
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

std::string TimeText(int year, int month, int day, int hour, int minute, int second, int millis) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", year, month, day, hour, minute,
                  second, millis);
    return text;
}

std::string WithoutBreaks(const std::string& field) {
    std::string out;
    for (char c : field) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}
}  // namespace

std::string JournalFormat::IsoUtc(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto millis = duration_cast<milliseconds>(time.time_since_epoch()).count();
    const auto days = floor<std::chrono::days>(sys_time<milliseconds>(milliseconds(millis)));
    const year_month_day date{days};
    const auto inDay = millis - duration_cast<milliseconds>(days.time_since_epoch()).count();
    return TimeText(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                    static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(inDay / 3600000),
                    static_cast<int>(inDay / 60000 % 60), static_cast<int>(inDay / 1000 % 60),
                    static_cast<int>(inDay % 1000));
}

std::optional<std::string> JournalFormat::ParseIsoUtc(const std::string& input) {
    std::string text = input;
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z')) text.pop_back();
    if (!AllDigits(text, 0, 4) || text.size() < 10 || text[4] != '-' || !AllDigits(text, 5, 2) ||
        text[7] != '-' || !AllDigits(text, 8, 2)) {
        return std::nullopt;
    }
    const int year = Number(text, 0, 4);
    const int month = Number(text, 5, 2);
    const int day = Number(text, 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > DaysIn(year, month)) return std::nullopt;
    int hour = 0, minute = 0, second = 0, millis = 0;
    if (text.size() > 10) {
        if ((text[10] != 'T' && text[10] != 't' && text[10] != ' ') || !AllDigits(text, 11, 2) ||
            text.size() < 16 || text[13] != ':' || !AllDigits(text, 14, 2)) {
            return std::nullopt;
        }
        hour = Number(text, 11, 2);
        minute = Number(text, 14, 2);
        std::size_t at = 16;
        if (text.size() > at) {
            if (text[at] != ':' || !AllDigits(text, at + 1, 2)) return std::nullopt;
            second = Number(text, at + 1, 2);
            at += 3;
            if (text.size() > at) {
                if (text[at] != '.' || !AllDigits(text, at + 1, 3) || text.size() != at + 4) return std::nullopt;
                millis = Number(text, at + 1, 3);
            }
        }
        if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    return TimeText(year, month, day, hour, minute, second, millis);
}

const char* JournalFormat::ResultName(TransferResult result) {
    switch (result) {
        case TransferResult::Completed: return "completed";
        case TransferResult::Cancelled: return "cancelled";
        case TransferResult::Failed: break;
    }
    return "failed";
}

std::optional<TransferResult> JournalFormat::ParseResult(const std::string& name) {
    for (TransferResult result : {TransferResult::Completed, TransferResult::Failed, TransferResult::Cancelled}) {
        if (name == ResultName(result)) return result;
    }
    return std::nullopt;
}

std::vector<std::string> JournalFormat::HeaderFields() {
    return {"start", "end", "user", "channel", "type", "machine", "sub_address", "direction", "pc_file",
            "program", "bytes", "lines", "sha256", "duration_ms", "result", "message_number", "message",
            "verify"};
}

std::vector<std::string> JournalFormat::Fields(const TransferRecord& r) {
    return {r.StartUtc, r.EndUtc, r.PcUser, std::to_string(r.Channel), r.McType, r.McName, r.SubAddress,
            r.Direction, r.PcFile, r.McProgram, std::to_string(r.Bytes), std::to_string(r.Lines), r.Sha256,
            std::to_string(r.DurationMs), ResultName(r.Result),
            r.MessageNumber < 0 ? std::string() : std::to_string(r.MessageNumber), r.MessageText, r.Verify};
}

std::string JournalFormat::TsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        line += WithoutBreaks(fields[i]);
    }
    return line + "\n";
}

std::string JournalFormat::CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

int64_t JournalFormat::CountLines(const uint8_t* data, std::size_t size) {
    int64_t lines = 0;
    bool inLine = false;
    for (std::size_t i = 0; i < size; ++i) {
        const bool text = static_cast<int8_t>(data[i]) >= 0x20;
        if (text && !inLine) ++lines;
        inLine = text;
    }
    return lines;
}
