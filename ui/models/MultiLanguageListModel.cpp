#include "ui/models/MultiLanguageListModel.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// ASCII letters change case; the bytes of multibyte characters stay as they are.
std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

const std::array<MultiLanguageListModel::ColumnInfo, MultiLanguageListModel::kColumnCount>&
MultiLanguageListModel::Columns() {
    static const std::array<ColumnInfo, kColumnCount> columns = {{
        {"No.", 35, true},
        {"Index", 35, true},
        {"English", 250, false},
        {"Korean", 250, false},
        {"Chinese", 100, false},
        {"Japanese", 100, false},
        {"Language_5", 100, false},
        {"Remarks", 100, false},
    }};
    return columns;
}

std::optional<int> MultiLanguageListModel::ParseIndex(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed.size() > 9) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size() || value < 0) return std::nullopt;
    return value;
}

void MultiLanguageListModel::Fill(const MultiLanguageArray& table) {
    lines_.clear();
    lines_.reserve(table.GetCount());
    for (std::size_t i = 0; i < table.GetCount(); ++i) {
        Line line;
        line[kNoColumn] = std::to_string(i + 1);
        line[kIndexColumn] = std::to_string(i);
        for (int k = 0; k < kLanguageSlots; ++k) line[static_cast<std::size_t>(kFirstSlotColumn + k)] = table[i].str[k];
        lines_.push_back(std::move(line));
    }
}

bool MultiLanguageListModel::CanStartEdit(int row, int column) const {
    if (row < 0 || row >= LineCount() || column < kFirstSlotColumn || column > kRemarksColumn) return false;
    if (column == kKoreanColumn || column == kRemarksColumn) return addVisible_;
    return true;
}

std::optional<int> MultiLanguageListModel::TabTarget(int column, bool shift) {
    if (shift) {
        if (column <= kIndexColumn) return std::nullopt;
        return column - 1;
    }
    if (column == 5 || column >= kRemarksColumn) return std::nullopt;
    return column + 1;
}

int MultiLanguageListModel::LargestIndex(int exceptRow) const {
    int largest = -1;
    for (int row = 0; row < LineCount(); ++row) {
        if (row == exceptRow) continue;
        if (std::optional<int> index = ParseIndex(Cell(row, kIndexColumn))) largest = std::max(largest, *index);
    }
    return largest;
}

bool MultiLanguageListModel::ApplyEdit(int row, int column, const std::string& typed, const std::string& original) {
    if (row < 0 || row >= LineCount() || column < kIndexColumn || column >= kColumnCount) return false;
    std::string text = Trim(typed);
    if (text == "=" && row > 0) {
        text = Cell(row - 1, column);
    } else if (text == original) {
        return false;
    }
    if (column == kIndexColumn) {
        // A duplicate would lose a row at OK, and a huge number would make OK
        // build millions of empty rows: such a text keeps the old index.
        const std::optional<int> index = ParseIndex(text);
        if (!index) return false;
        const int limit = std::max(LargestIndex(row), 0) + LineCount();
        if (*index > limit) return false;
        for (int other = 0; other < LineCount(); ++other) {
            if (other != row && ParseIndex(Cell(other, kIndexColumn)) == index) return false;
        }
        text = std::to_string(*index);
    }
    std::string& cell = lines_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (cell == text) return false;
    cell = text;
    lastWritten_ = text;
    modified_ = true;
    return true;
}

bool MultiLanguageListModel::SortBy(int column) {
    if (lines_.empty() || column < kIndexColumn || column > 6) return false;
    ascending_ = !ascending_;
    if (lines_.size() >= 2) {
        const std::size_t c = static_cast<std::size_t>(column);
        const bool ascending = ascending_;
        if (column == kIndexColumn) {
            std::stable_sort(lines_.begin(), lines_.end(), [c, ascending](const Line& a, const Line& b) {
                const double x = std::strtod(Trim(a[c]).c_str(), nullptr);
                const double y = std::strtod(Trim(b[c]).c_str(), nullptr);
                return ascending ? x < y : y < x;
            });
        } else {
            std::stable_sort(lines_.begin(), lines_.end(), [c, ascending](const Line& a, const Line& b) {
                const std::string x = Lower(a[c]);
                const std::string y = Lower(b[c]);
                return ascending ? x < y : y < x;
            });
        }
    }
    Renumber();
    return true;
}

void MultiLanguageListModel::Renumber() {
    for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i][kNoColumn] = std::to_string(i + 1);
}

bool MultiLanguageListModel::FindFirst(const FindSettings& settings) {
    find_ = settings;
    findRow_ = 0;
    findColumn_ = 0;
    return Search();
}

bool MultiLanguageListModel::FindNext() {
    if (Search()) return true;
    findRow_ = 0;
    findColumn_ = 0;
    return false;
}

bool MultiLanguageListModel::Search() {
    const std::string wanted = find_.CaseSensitive ? find_.Text : Upper(find_.Text);
    for (int row = findRow_; row < LineCount(); ++row) {
        int column = row == findRow_ ? findColumn_ : 0;
        while (column < kLastSearchedColumn) {
            ++column;
            const std::string cell = find_.CaseSensitive ? Cell(row, column) : Upper(Cell(row, column));
            const bool match = find_.Contains ? cell.find(wanted) != std::string::npos : cell == wanted;
            if (match) {
                findRow_ = row;
                findColumn_ = column;
                return true;
            }
        }
    }
    findRow_ = LineCount();
    findColumn_ = 0;
    return false;
}

void MultiLanguageListModel::Reset(const MultiLanguageArray& defaults) {
    Fill(defaults);
    modified_ = true;
}

int MultiLanguageListModel::Add() {
    const int largest = LargestIndex(-1);
    std::vector<bool> used(static_cast<std::size_t>(std::max(largest, 0)) + 1, false);
    for (const Line& line : lines_) {
        if (std::optional<int> index = ParseIndex(line[kIndexColumn])) used[static_cast<std::size_t>(*index)] = true;
    }
    int chosen = std::max(largest, 0) + 1;
    for (int i = 1; i <= largest; ++i) {
        if (!used[static_cast<std::size_t>(i)]) {
            chosen = i;
            break;
        }
    }
    Line line;
    line[kNoColumn] = std::to_string(lines_.size() + 1);
    line[kIndexColumn] = std::to_string(chosen);
    lines_.push_back(std::move(line));
    modified_ = true;
    return LineCount() - 1;
}

int MultiLanguageListModel::Delete(std::vector<int> rows, int currentRow) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= 0 && *it < LineCount()) lines_.erase(lines_.begin() + *it);
    }
    modified_ = true;
    if (lines_.empty()) return -1;
    Renumber();
    return std::clamp(currentRow, 0, LineCount() - 1);
}

bool MultiLanguageListModel::Rebuild(MultiLanguageArray& table) const {
    if (!modified_) return false;
    const int largest = std::max(LargestIndex(-1), 0);
    table.RemoveAll();
    for (int i = 0; i <= largest; ++i) table.Add(tMULTI_LANGUAGE{});
    for (const Line& line : lines_) {
        const std::optional<int> index = ParseIndex(line[kIndexColumn]);
        if (!index || *index > largest) continue;
        tMULTI_LANGUAGE& row = table[static_cast<std::size_t>(*index)];
        for (int k = 0; k < kLanguageSlots; ++k) row.str[k] = line[static_cast<std::size_t>(kFirstSlotColumn + k)];
    }
    return true;
}
