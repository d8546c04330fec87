#include "link/ChannelSelectionModel.h"

#include <cstdio>

ChannelSelectionModel::ChannelSelectionModel(std::string title, int selectedChannel,
                                             bool systemProgramsOnly)
    : title_(std::move(title)), selectedChannel_(selectedChannel), systemProgramsOnly_(systemProgramsOnly) {}

void ChannelSelectionModel::Fill(const std::vector<ChannelConfig>& storedChannels) {
    rows_.clear();
    selectedRow_ = -1;
    for (const ChannelConfig& channel : storedChannels) {
        if (systemProgramsOnly_ && channel.McType != "TDK/VC5" && channel.McType != "UNIVERSAL") continue;
        char number[16];
        std::snprintf(number, sizeof number, "%02d", static_cast<int>(rows_.size()) + 1);
        rows_.push_back({number, channel.Channel, channel.McName, channel.McType, channel.SubSerial});
        if (channel.Channel == selectedChannel_) selectedRow_ = static_cast<int>(rows_.size()) - 1;
    }
}

void ChannelSelectionModel::SelectRow(int row) {
    selectedRow_ = (row >= 0 && row < static_cast<int>(rows_.size())) ? row : -1;
}

bool ChannelSelectionModel::Accept() {
    if (selectedRow_ < 0) return false;
    selectedChannel_ = rows_[selectedRow_].Channel;
    return true;
}
