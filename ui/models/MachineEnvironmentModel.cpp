#include "ui/models/MachineEnvironmentModel.h"

#include <cstdio>

#include "app/CKOVAApp.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "ui/models/ChannelEditorModel.h"
#include "ui/models/ChannelSave.h"

namespace {
constexpr const char* kConnected = "Connected";

int ChannelOfRow(int row) { return row + 1; }
bool IsRow(int row) { return row >= 0 && row < MachineEnvironmentModel::kRows; }

std::string NumberCell(int channel) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", channel);
    return text;
}
}  // namespace

MachineEnvironmentModel::MachineEnvironmentModel(Terminal& terminal) : terminal_(terminal) {
    for (int row = 0; row < kRows; ++row) rows_[static_cast<std::size_t>(row)][0] = NumberCell(ChannelOfRow(row));
}

void MachineEnvironmentModel::ShowRecord(int row, const ChannelConfig& c) {
    Row& cells = rows_[static_cast<std::size_t>(row)];
    const std::string values[] = {c.McName,      c.McType,      c.SubSerial, c.NcdFileFolder, c.McBaudRate,
                                  c.McDataBit,   c.McParityBit, c.McDelayBit, c.PnrEtx,       c.PnrPName ? "Yes" : "NO"};
    for (std::size_t i = 0; i < std::size(values); ++i) cells[i + 1] = values[i];
}

void MachineEnvironmentModel::RefreshRow(int row) {
    if (!IsRow(row)) return;
    ChannelConfig config;
    config.Channel = ChannelOfRow(row);
    if (terminal_.App.LoadChannelConfig(config)) {
        ShowRecord(row, config);
    } else {
        Row& cells = rows_[static_cast<std::size_t>(row)];
        for (int c = 1; c < kRemarksColumn; ++c) cells[static_cast<std::size_t>(c)].clear();
    }
}

void MachineEnvironmentModel::RefreshAll() {
    for (int row = 0; row < kRows; ++row) RefreshRow(row);
    UpdateConnectedMark();
}

int MachineEnvironmentModel::UpdateConnectedMark() {
    if (IsRow(markedChannel_ - 1)) rows_[static_cast<std::size_t>(markedChannel_ - 1)][kRemarksColumn].clear();
    markedChannel_ = 0;
    if (!(terminal_.StatusFlags & Status::SubConnected)) return -1;
    const int row = terminal_.App.CurrentChannel.Channel - 1;
    if (!IsRow(row)) return -1;
    rows_[static_cast<std::size_t>(row)][kRemarksColumn] = kConnected;
    markedChannel_ = row + 1;
    return row;
}

MachineEnvironmentMenu MachineEnvironmentModel::MenuFor(int row) const {
    MachineEnvironmentMenu menu;
    const bool exists = IsRow(row) && terminal_.App.ChannelKeyExists(ChannelOfRow(row));
    menu.Delete = exists;
    menu.Copy = exists;
    menu.Paste = copied_ && IsRow(row);
    return menu;
}

ChannelConfig MachineEnvironmentModel::EditorRecord(int row) const {
    ChannelConfig record;
    record.Channel = ChannelOfRow(row);
    if (terminal_.App.LoadChannelConfig(record)) return record;
    record.SubSerial = "000000000000";
    record.McType = "UNIVERSAL";
    record.McName = "ZID-xxx";
    record.McBaudRate = "9600";
    record.McDataBit = "8";
    record.McParityBit = "NONE";
    record.McDelayBit = "127";
    record.NcdFileFolder = terminal_.App.DataFolder("ZID");
    record.PnrEtx = "CR";
    record.PnrPName = 0;
    return record;
}

bool MachineEnvironmentModel::FinishEdit(const ChannelConfig& edited, uint32_t changeBits) {
    if (edited.McType.empty()) return false;
    if (!Save(edited)) return false;
    working_ = edited;
    terminal_.ShowStatus(std::to_string(edited.Channel) + " " + terminal_.Text(Msg::ChannelParametersChanged), 1);
    RefreshRow(edited.Channel - 1);

    const bool connected = (terminal_.StatusFlags & Status::SubConnected) != 0;
    if (!connected || edited.Channel != terminal_.App.CurrentChannel.Channel) return true;
    if (terminal_.Engine.ActiveJobs != 0) return true;
    terminal_.App.CurrentChannel = edited;
    if (changeBits & ChangeBit::LineParameters) terminal_.StartJob(JobBit::ModuleSetup);
    return true;
}

bool MachineEnvironmentModel::Save(const ChannelConfig& record) {
    if (SaveChannelAndReport(terminal_, record)) return true;
    // The row keeps what the store holds.
    RefreshRow(record.Channel - 1);
    return false;
}

bool MachineEnvironmentModel::Delete(int row) {
    if (!IsRow(row) || !terminal_.App.DeleteChannelConfig(ChannelOfRow(row))) return false;
    Row& cells = rows_[static_cast<std::size_t>(row)];
    for (int c = 1; c < kRemarksColumn; ++c) cells[static_cast<std::size_t>(c)].clear();
    return true;
}

void MachineEnvironmentModel::Copy(int row) {
    copied_ = false;
    if (!IsRow(row)) return;
    ChannelConfig config;
    config.Channel = ChannelOfRow(row);
    if (!terminal_.App.LoadChannelConfig(config)) return;
    clipboard_ = config;
    copied_ = true;
}

bool MachineEnvironmentModel::Paste(int row) {
    if (!copied_ || !IsRow(row)) return false;
    clipboard_.Channel = ChannelOfRow(row);
    if (!Save(clipboard_)) return false;
    ShowRecord(row, clipboard_);
    return true;
}
