#include "ui/models/TransferDialogModel.h"

#include <algorithm>
#include <cstdio>

#include "app/PathRules.h"

TransferDialogModel::TransferDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms, TextOf text,
                                         ShowStatus status, SaveChannel save)
    : channel_(channel),
      mcPrograms_(mcPrograms),
      text_(std::move(text)),
      status_(std::move(status)),
      folder_(channel, std::move(save)) {}

// ---- the list ------------------------------------------------------------------------

void TransferDialogModel::ReadList() {
    status_(text_(Msg::ReadingPcFileList));
    TransferItemList files;
    ListPcFiles(folder_.PathPattern(), files);
    FillRows(std::move(files));
    selected_.assign(static_cast<std::size_t>(RowCount()), false);
    clickedRow_ = -1;
    clickedColumn_ = -1;
    renameRow_ = -1;
    ++listVersion_;
    Recompute();
}

// ---- selection and clicks ----------------------------------------------------------------

void TransferDialogModel::SetSelection(const std::vector<int>& rows) {
    selected_.assign(static_cast<std::size_t>(RowCount()), false);
    for (int index : rows) {
        if (ValidRow(index)) selected_[index] = true;
    }
    Recompute();
}

std::vector<int> TransferDialogModel::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < RowCount(); ++i) {
        if (IsSelected(i)) rows.push_back(i);
    }
    return rows;
}

int TransferDialogModel::SelectedCount() const {
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TransferDialogModel::Click(int row, int column) {
    clickedRow_ = ValidRow(row) ? row : -1;
    clickedColumn_ = column;
    Recompute();
}

int TransferDialogModel::ViewRow() const {
    std::vector<int> selected = SelectedRows();
    int row = selected.size() == 1 ? selected.front() : clickedRow_;
    return ValidRow(row) ? row : -1;
}

// ---- renaming in place ---------------------------------------------------------------------

bool TransferDialogModel::BeginRename(int& row, std::string& text) {
    if (!CanRename() || clickedRow_ < 0) return false;
    renameRow_ = clickedRow_;
    row = renameRow_;
    text = RenameText(renameRow_);
    return true;
}

int TransferDialogModel::TakeRenameRow() {
    int row = ValidRow(renameRow_) ? renameRow_ : -1;
    if (row >= 0) renameRow_ = -1;
    return row;
}

// ---- folders ------------------------------------------------------------------------------------

bool TransferDialogModel::ApplyPathEdit(const std::string& text) {
    if (!folder_.ApplyPathEdit(text)) return false;
    ReadList();
    return true;
}

void TransferDialogModel::Refresh(const std::string& text) {
    folder_.Refresh(text);
    ReadList();
}

void TransferDialogModel::FolderChosen(const std::string& folder) {
    if (folder_.FolderChosen(folder)) ReadList();
}

void TransferDialogModel::FileOpenDone(const std::string& chosenPath) {
    std::string file = folder_.FileOpenDone(chosenPath);
    ReadList();
    if (!file.empty()) FileChosen(file);
}

void TransferDialogModel::ChangeFolderOfChannel() {
    folder_.ChangeFolderOfChannel();
    Recompute();
}

// ---- small text rules -------------------------------------------------------------------------------

bool TransferDialogModel::EqualIgnoringCase(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string TransferDialogModel::Formatted(const char* format, unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
