#pragma once
// What the channel selection dialog shows and hands back: one row per stored
// channel (rising channel numbers), numbered "01", "02" ... over the rows shown;
// the row of the preselected channel selected; OK only with a selected row.

#include <string>
#include <vector>

#include "app/ChannelConfig.h"

struct ChannelSelectionRow {
    std::string Number;    // running number of the row, "%02d"
    int Channel = 0;
    std::string McName;
    std::string McType;
    std::string SubSerial;
};

class ChannelSelectionModel {
public:
    // `systemProgramsOnly` keeps only the types that take system programs
    // (TDK/VC5 and UNIVERSAL).
    ChannelSelectionModel(std::string title, int selectedChannel, bool systemProgramsOnly);

    // Builds the rows from the stored channels, given in rising channel order.
    void Fill(const std::vector<ChannelConfig>& storedChannels);

    const std::string& Title() const { return title_; }
    const std::vector<ChannelSelectionRow>& Rows() const { return rows_; }
    // Index of the selected row, -1 when none.
    int SelectedRow() const { return selectedRow_; }
    void SelectRow(int row);
    bool OkEnabled() const { return selectedRow_ >= 0; }
    // OK (or a double click): true and SelectedChannel set when a row is selected.
    bool Accept();
    int SelectedChannel() const { return selectedChannel_; }

private:
    std::string title_;
    int selectedChannel_;
    bool systemProgramsOnly_;
    std::vector<ChannelSelectionRow> rows_;
    int selectedRow_ = -1;
};
