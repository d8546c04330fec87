#include "ui/models/JournalViewModel.h"

#include <algorithm>
#include <set>

#include "app/JournalFormat.h"

namespace {
struct Pair {
    const char* English;
    const char* Korean;
};

constexpr Pair kColumnTitles[] = {
    {"Start (UTC)", "시작 (UTC)"}, {"Ch.", "채널"},       {"Type", "기종"},     {"Machine", "설비"},
    {"Direction", "방향"},         {"PC file", "PC 파일"}, {"Program", "프로그램"}, {"Bytes", "바이트"},
    {"Result", "결과"},            {"Message", "메시지"},
};

constexpr Pair kCaptions[] = {
    {"Transfer journal", "전송 기록"}, {"Channel", "채널"}, {"Type", "기종"},   {"Result", "결과"},
    {"From", "시작일"},                {"To", "종료일"},    {"Search", "검색"}, {"All", "전체"},
    {"Export CSV...", "CSV 내보내기..."}, {"Refresh", "새로 고침"}, {"Close", "닫기"},
    {"Records shown:", "표시된 기록:"},
};

constexpr Pair kResults[] = {{"completed", "완료"}, {"failed", "실패"}, {"cancelled", "취소"}};

const char* Pick(const Pair& pair, int language) { return language == 1 ? pair.Korean : pair.English; }
}  // namespace

std::string JournalViewModel::ColumnTitle(int column) const {
    if (column < 0 || column >= kColumns) return {};
    return Pick(kColumnTitles[column], language_);
}

std::string JournalViewModel::CaptionText(Caption caption) const {
    if (caption < 0 || caption >= kCaptions) return {};
    return Pick(::kCaptions[caption], language_);
}

std::string JournalViewModel::ResultText(TransferResult result) const {
    return Pick(kResults[static_cast<int>(result)], language_);
}

void JournalViewModel::SetRecords(std::vector<TransferRecord> records) {
    records_ = std::move(records);
    Refilter();
}

void JournalViewModel::SetFilter(const JournalFilter& filter) {
    filter_ = filter;
    Refilter();
}

void JournalViewModel::Refilter() {
    shown_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (filter_.Matches(records_[i])) shown_.push_back(i);
    }
}

std::string JournalViewModel::Cell(int row, int column) const {
    const TransferRecord& r = RecordAt(row);
    switch (column) {
        case Start: {
            // "2026-12-07 14:43:23" reads better in a table than the stored form.
            std::string text = r.StartUtc.substr(0, 19);
            if (text.size() > 10) text[10] = ' ';
            return text;
        }
        case Channel: return std::to_string(r.Channel);
        case Type: return r.McType;
        case Machine: return r.McName;
        case Direction: return r.Direction;
        case PcFile: return r.PcFile;
        case Program: return r.McProgram;
        case Bytes: return std::to_string(r.Bytes);
        case Result: return ResultText(r.Result) + (r.Verify.empty() ? "" : " / " + r.Verify);
        case Message: return r.MessageText;
        default: return {};
    }
}

std::string JournalViewModel::Detail(int row) const {
    const auto names = JournalFormat::HeaderFields();
    const auto values = JournalFormat::Fields(RecordAt(row));
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += names[i] + ": " + values[i] + "\n";
    return text;
}

std::string JournalViewModel::Csv() const {
    std::string text = JournalFormat::CsvLine(JournalFormat::HeaderFields());
    for (int row = 0; row < RowCount(); ++row) text += JournalFormat::CsvLine(JournalFormat::Fields(RecordAt(row)));
    return text;
}

std::vector<int> JournalViewModel::Channels() const {
    std::set<int> channels;
    for (const TransferRecord& r : records_) channels.insert(r.Channel);
    return {channels.begin(), channels.end()};
}

std::vector<std::string> JournalViewModel::Types() const {
    std::set<std::string> types;
    for (const TransferRecord& r : records_) {
        if (!r.McType.empty()) types.insert(r.McType);
    }
    return {types.begin(), types.end()};
}
