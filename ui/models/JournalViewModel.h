#pragma once
// The rules of the journal window: which records the table shows (newest
// first, through the filter), the text of each cell, a record in full for
// the double-click, and the CSV export of what is shown.
//
// The window's own captions are not rows of the text table: they are kept
// here as English and Korean pairs, English for the other languages.

#include <string>
#include <vector>

#include "app/JournalFilter.h"
#include "app/TransferRecord.h"

class JournalViewModel {
public:
    enum Column { Start, Channel, Type, Machine, Direction, PcFile, Program, Bytes, Result, Message, kColumns };
    enum Caption { Title, ChannelLabel, TypeLabel, ResultLabel, FromLabel, ToLabel, SearchLabel, All,
                   ExportCsv, Refresh, Close, Shown, kCaptions };

    explicit JournalViewModel(int language = 0) : language_(language) {}

    std::string ColumnTitle(int column) const;
    std::string CaptionText(Caption caption) const;
    std::string ResultText(TransferResult result) const;

    // Newest first, as the store gives them.
    void SetRecords(std::vector<TransferRecord> records);
    void SetFilter(const JournalFilter& filter);
    const JournalFilter& Filter() const { return filter_; }

    // Shown rows and their cells.
    int RowCount() const { return static_cast<int>(shown_.size()); }
    const TransferRecord& RecordAt(int row) const { return records_[shown_[static_cast<std::size_t>(row)]]; }
    std::string Cell(int row, int column) const;
    // Every field of the row's record, one "name: value" line each.
    std::string Detail(int row) const;
    // The shown records as CSV with its header line, as kova-cli journal --csv prints them.
    std::string Csv() const;
    // The channels and machine types that occur, for the filter lists (sorted).
    std::vector<int> Channels() const;
    std::vector<std::string> Types() const;

private:
    void Refilter();

    int language_;
    std::vector<TransferRecord> records_;
    JournalFilter filter_;
    std::vector<std::size_t> shown_;
};
