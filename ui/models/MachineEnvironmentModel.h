#pragma once
// The rules of the machine environment page: the 99 rows of the channel table,
// the connected mark, the context menu, and what EDIT, DELETE, COPY and PASTE
// do to the stored channels and to the link. The password is asked by the
// page before DELETE, COPY and PASTE.

#include <array>
#include <cstdint>
#include <string>

#include "app/ChannelConfig.h"

class Terminal;

struct MachineEnvironmentMenu {
    bool Edit = true;
    bool Delete = false;
    bool Copy = false;
    bool Paste = false;
};

class MachineEnvironmentModel {
public:
    static constexpr int kRows = kLastChannel;
    static constexpr int kColumns = 12;
    static constexpr int kRemarksColumn = 11;
    using Row = std::array<std::string, kColumns>;

    explicit MachineEnvironmentModel(Terminal& terminal);

    // Every row again from the stored channels, then the connected mark.
    void RefreshAll();
    // Row `row` (channel row + 1) from its stored channel; blank when it has
    // none. The "Remarks" cell is the connected mark's.
    void RefreshRow(int row);
    const Row& RowCells(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    // Moves "Connected" to the current channel's row while a sub module is
    // connected. The row to select and show, or -1 when none is connected.
    int UpdateConnectedMark();
    int MarkedChannel() const { return markedChannel_; }

    MachineEnvironmentMenu MenuFor(int row) const;

    // EDIT: the record the editor opens with for row `row`: the stored
    // channel, or a new UNIVERSAL channel "ZID-xxx".
    ChannelConfig EditorRecord(int row) const;
    // After the editor's OK with the edited record and its change bits: saves
    // it, reports it and shows its row. When it is the connected channel and
    // no job runs, the link takes it at once and a change of type or line
    // parameters sets the sub module up again. While a job runs the link is
    // left alone (set-up bytes would break into a transfer); the saved record
    // applies at the next connect. False when nothing was saved.
    bool FinishEdit(const ChannelConfig& edited, uint32_t changeBits);

    // DELETE: removes the channel; the link stays as it is. False when there was none.
    bool Delete(int row);
    // COPY: the row's stored channel into the clipboard (emptied when there is none).
    void Copy(int row);
    // PASTE: the clipboard, every field, as channel row + 1. False when nothing was saved.
    bool Paste(int row);
    bool Copied() const { return copied_; }
    const ChannelConfig& Clipboard() const { return clipboard_; }

    // The record last saved through the editor.
    const ChannelConfig& Working() const { return working_; }

private:
    void ShowRecord(int row, const ChannelConfig& config);
    // Saves the record; a store that refuses it is reported in the status window.
    bool Save(const ChannelConfig& record);

    Terminal& terminal_;
    std::array<Row, kRows> rows_{};
    int markedChannel_ = 0;
    ChannelConfig clipboard_;
    bool copied_ = false;
    ChannelConfig working_;
};
