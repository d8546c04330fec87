#pragma once
// What the download and upload dialogs' models share, without Qt: the folder
// the list shows (through TransferFolderModel), which rows are selected, the
// cell clicked last, the row being renamed in place, and reading the list
// again when the folder changes. The rules of each dialog (its rows and
// columns, what Select and Deselect do, the buttons, what OK hands back) stay
// in the derived model.

#include <functional>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"
#include "app/TransferItem.h"
#include "engine/McProgramEntry.h"
#include "lang/Msg.h"
#include "ui/models/TransferFolderModel.h"

class TransferDialogModel {
public:
    using TextOf = std::function<std::string(Msg)>;
    using ShowStatus = std::function<void(const std::string& text)>;
    using SaveChannel = TransferFolderModel::SaveChannel;

    virtual ~TransferDialogModel() = default;
    TransferDialogModel(const TransferDialogModel&) = delete;
    TransferDialogModel& operator=(const TransferDialogModel&) = delete;

    // Grows each time the list is read again (the rows are new then).
    int ListVersion() const { return listVersion_; }

    const std::string& PathPattern() const { return folder_.PathPattern(); }
    const std::string& FilePattern() const { return folder_.FilePattern(); }
    // The folder the list shows: the folder part of the path.
    std::string CurrentFolder() const { return folder_.CurrentFolder(); }
    // The machine type of the channel, which decides how Quick View reads coordinates.
    const std::string& McType() const { return channel_.McType; }

    // ---- selection and clicks ----
    void SetSelection(const std::vector<int>& rows);
    std::vector<int> SelectedRows() const;
    void Click(int row, int column);
    int ClickedRow() const { return clickedRow_; }

    // ---- renaming in place ----
    // Begin gives the row and the text to edit (false when the clicked cell
    // cannot be edited); Cancel leaves the cell as it was.
    bool BeginRename(int& row, std::string& text);
    // Takes the edited text of the row being renamed.
    virtual void CommitRename(const std::string& text) = 0;
    void CancelRename() { renameRow_ = -1; }
    bool Renaming() const { return renameRow_ >= 0; }

    // The PC file Quick View shows for the single selected row, else the
    // clicked one; empty when there is none.
    virtual std::string QuickViewPath() const = 0;

    // ---- the folder actions; each reads the list again when the folder changed ----
    // The path edit lost the focus holding `text`. A path naming a folder
    // shows that folder's files.
    bool ApplyPathEdit(const std::string& text);
    // Refresh: reads the list for the path in the edit.
    void Refresh(const std::string& text);
    // The folder browser's answer (empty: cancelled).
    void FolderChosen(const std::string& folder);
    // After the file-open dialog: the list is read again; a chosen file
    // (full path, empty when none) brings its folder.
    void FileOpenDone(const std::string& chosenPath);
    // Makes the shown folder the channel's folder and saves the channel.
    void ChangeFolderOfChannel();

protected:
    TransferDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms, TextOf text,
                        ShowStatus status, SaveChannel save);

    // The rows of the list, made from the files of the folder.
    virtual void FillRows(TransferItemList files) = 0;
    virtual int RowCount() const = 0;
    // Remarks and buttons after any change.
    virtual void Recompute() = 0;
    // Whether the clicked row's name may be edited in place, and its text.
    virtual bool CanRename() const = 0;
    virtual std::string RenameText(int row) const = 0;
    // The file the file-open dialog chose, after the list was read again.
    virtual void FileChosen(const std::string& fileName) = 0;

    // Reads the folder, makes new rows, and forgets selection, click and rename.
    void ReadList();
    // The row being renamed, which stops being renamed; -1 when none.
    int TakeRenameRow();
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    bool IsSelected(int row) const { return ValidRow(row) && selected_[row]; }
    int SelectedCount() const;
    // The row Quick View shows: the single selected row, else the clicked row.
    int ViewRow() const;
    // The kind of the column clicked last (the first kind when none).
    template <class Column>
    static auto KindAt(const std::vector<Column>& columns, int index) -> decltype(Column::Kind) {
        if (index < 0 || index >= static_cast<int>(columns.size())) return decltype(Column::Kind){};
        return columns[index].Kind;
    }

    static bool EqualIgnoringCase(const std::string& a, const std::string& b);
    // `value` through a printf format holding one %llu.
    static std::string Formatted(const char* format, unsigned long long value);

    ChannelConfig& channel_;
    const McProgramEntryList& mcPrograms_;
    TextOf text_;
    ShowStatus status_;
    TransferFolderModel folder_;
    int clickedRow_ = -1;
    int clickedColumn_ = -1;

private:
    std::vector<bool> selected_;
    int renameRow_ = -1;
    int listVersion_ = 0;
};
