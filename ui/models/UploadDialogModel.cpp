#include "ui/models/UploadDialogModel.h"

#include <algorithm>

#include "app/KeptVersions.h"
#include "app/PathRules.h"
#include "lang/TextPair.h"

UploadDialogModel::UploadDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms,
                                     const UploadRequest& request, TextOf text, ShowStatus status,
                                     SaveChannel save, AskYesNo ask)
    : TransferDialogModel(channel, mcPrograms, std::move(text), std::move(status), std::move(save)),
      ask_(std::move(ask)),
      machineList_(request.ShowMachineList) {}

void UploadDialogModel::Initialize() {
    folder_.Reset();
    ReadList();
}

std::string UploadDialogModel::FileNameRule(const std::string& text) { return CleanPcFileName(text); }

std::string UploadDialogModel::Caption() const {
    return text_(machineList_ ? Msg::SelectUploadingProgram : Msg::SetUploadingFileName) + "  (" +
           text_(Msg::ChannelColumn) + ":" + std::to_string(channel_.Channel) + ", " + channel_.McType + ", " +
           channel_.McName + ")";
}

std::vector<UploadDialogModel::Column> UploadDialogModel::Columns() const {
    std::vector<Column> columns = {{ColumnKind::No, text_(Msg::ColumnNo), 45, true}};
    if (machineList_) {
        columns.push_back({ColumnKind::Lines, text_(Msg::ColumnLines), 60, true});
        columns.push_back({ColumnKind::ProgramName, text_(Msg::ProgramListInMc), 170, false});
        columns.push_back({ColumnKind::UploadName, text_(Msg::UploadingFileName), 170, false});
    } else {
        columns.push_back({ColumnKind::Size, text_(Msg::ColumnSize), 60, true});
        columns.push_back({ColumnKind::FileName, text_(Msg::FileListInPc), 170, false});
    }
    columns.push_back({ColumnKind::Remarks, text_(Msg::ColumnRemarks), 200, false});
    return columns;
}

std::string UploadDialogModel::CellText(int row, ColumnKind column) const {
    if (!ValidRow(row)) return {};
    const Row& r = rows_[row];
    switch (column) {
        case ColumnKind::No: return Formatted("%04llu", static_cast<unsigned long long>(row) + 1);
        case ColumnKind::Lines: return Formatted("%06llu", static_cast<unsigned long long>(std::max(r.Lines, 0)));
        case ColumnKind::ProgramName: return r.ProgramName;
        case ColumnKind::UploadName: return r.UploadName;
        case ColumnKind::Size: return Formatted("%06llu", r.Size);
        case ColumnKind::FileName: return r.FileName;
        case ColumnKind::Remarks: return r.Remarks;
    }
    return {};
}

// ---- the list ----------------------------------------------------------------------

void UploadDialogModel::FillRows(TransferItemList files) {
    pcFiles_ = std::move(files);
    rows_.clear();
    if (machineList_) {
        for (const McProgramEntry& entry : mcPrograms_) {
            Row row;
            row.ProgramName = entry.Name;
            row.Lines = entry.Steps;
            rows_.push_back(std::move(row));
        }
    } else {
        for (const TransferItem& file : pcFiles_) {
            Row row;
            row.FileName = file.FileName;
            row.Size = file.Length;
            rows_.push_back(std::move(row));
        }
    }
}

std::string UploadDialogModel::QuickViewPath() const {
    int row = ViewRow();
    if (row < 0) return {};
    if (!machineList_) return JoinPath(CurrentFolder(), rows_[row].FileName);
    const Row& r = rows_[row];
    std::string name = r.UploadName.empty() ? FileNameRule(r.ProgramName) : r.UploadName;
    // The folder's own spelling of the name, which may differ in case.
    auto file = std::find_if(pcFiles_.begin(), pcFiles_.end(),
                             [&](const TransferItem& f) { return EqualIgnoringCase(f.FileName, name); });
    return file == pcFiles_.end() ? std::string() : JoinPath(CurrentFolder(), file->FileName);
}

bool UploadDialogModel::PcHasFile(const std::string& name) const {
    return std::any_of(pcFiles_.begin(), pcFiles_.end(),
                       [&](const TransferItem& file) { return EqualIgnoringCase(file.FileName, name); });
}

std::string UploadDialogModel::OlderVersions(const std::string& fileName) const {
    static constexpr TextPair kOlder{"older versions kept: ", "보관된 이전 버전: "};
    // The folder's own spelling of the name, which may differ in case.
    auto file = std::find_if(pcFiles_.begin(), pcFiles_.end(),
                             [&](const TransferItem& f) { return EqualIgnoringCase(f.FileName, fileName); });
    if (file == pcFiles_.end()) return {};
    const std::size_t count = KeptVersions::VersionsOf(JoinPath(CurrentFolder(), file->FileName)).size();
    if (count == 0) return {};
    return kOlder.For(language_) + std::to_string(count);
}

std::string UploadDialogModel::OlderVersionsNote(const std::string& fileName) const {
    const std::string older = OlderVersions(fileName);
    return older.empty() ? older : " (" + older + ")";
}

void UploadDialogModel::ComputeRemarks(Row& row) {
    row.Remarks.clear();
    if (!machineList_) {
        // The file an upload under this name would replace.
        row.Remarks = OlderVersions(row.FileName);
        return;
    }
    row.UploadName = FileNameRule(row.UploadName);
    if (!row.UploadName.empty()) {
        const bool exists = PcHasFile(row.UploadName);
        row.Remarks = text_(exists ? Msg::FileOverwrite : Msg::Upload);
        if (exists) row.Remarks += OlderVersionsNote(row.UploadName);
    } else if (PcHasFile(FileNameRule(row.ProgramName))) {
        row.Remarks = text_(Msg::AlreadyExistOnPc) + OlderVersionsNote(FileNameRule(row.ProgramName));
    }
}

void UploadDialogModel::Recompute() {
    for (Row& row : rows_) ComputeRemarks(row);
    buttons_.ChangeFolder = folder_.DiffersFromChannel();
    buttons_.View = false;
    if (machineList_) {
        std::vector<int> selected = SelectedRows();
        buttons_.Upload =
            std::any_of(rows_.begin(), rows_.end(), [](const Row& r) { return !r.UploadName.empty(); });
        buttons_.Rename = selected.size() == 1;
        buttons_.Deselect = std::any_of(selected.begin(), selected.end(),
                                        [this](int i) { return !rows_[i].UploadName.empty(); });
    } else {
        buttons_.Upload = !uploadFileName_.empty();
        buttons_.Rename = false;
        buttons_.Deselect = false;
    }
}

// ---- single-name mode ------------------------------------------------------------------

void UploadDialogModel::SetUploadFileName(const std::string& name) {
    uploadFileName_ = name;
    Recompute();
}

// ---- selection and clicks ----------------------------------------------------------------

UploadDialogModel::DoubleClickResult UploadDialogModel::DoubleClick(int row, int column) {
    Click(row, column);
    if (clickedRow_ < 0) return DoubleClickResult::Nothing;
    if (!machineList_) {
        // Double-clicking a file reuses its name.
        SetUploadFileName(CellText(clickedRow_, ClickedColumn()));
        return DoubleClickResult::NameCopied;
    }
    switch (ClickedColumn()) {
        case ColumnKind::ProgramName: Select(); return DoubleClickResult::Selected;
        case ColumnKind::UploadName: return DoubleClickResult::StartRename;
        default: return DoubleClickResult::Nothing;
    }
}

std::vector<UploadDialogModel::MenuEntry> UploadDialogModel::ContextMenu(int row, int column) {
    Click(row, column);
    std::vector<MenuEntry> menu;
    if (!machineList_ || clickedRow_ < 0) return menu;
    switch (ClickedColumn()) {
        case ColumnKind::ProgramName:
            menu.push_back({text_(Msg::UploadFileNameIsProgramName), Action::Select});
            break;
        case ColumnKind::UploadName:
            if (buttons_.Deselect) menu.push_back({text_(Msg::Deselect), Action::Deselect});
            menu.push_back({text_(Msg::UploadingFileNameChange), Action::Rename});
            break;
        default: break;
    }
    return menu;
}

void UploadDialogModel::Select() {
    if (!machineList_ || clickedRow_ < 0) return;
    rows_[clickedRow_].UploadName = FileNameRule(rows_[clickedRow_].ProgramName);
    Recompute();
}

void UploadDialogModel::Deselect() {
    if (!machineList_) return;
    for (int row : SelectedRows()) rows_[row].UploadName.clear();
    Recompute();
}

// ---- renaming in place ---------------------------------------------------------------------

void UploadDialogModel::CommitRename(const std::string& text) {
    int index = TakeRenameRow();
    if (index < 0) return;
    Row& row = rows_[index];
    if (text == row.UploadName) return;
    row.UploadName = text;
    Recompute();
}

void UploadDialogModel::FileChosen(const std::string& fileName) {
    if (!machineList_) SetUploadFileName(fileName);
}

// ---- OK -------------------------------------------------------------------------------------------

bool UploadDialogModel::Upload(UploadRequest& request) {
    // The folder is read again: a file may have appeared since it was listed.
    ListPcFiles(folder_.PathPattern(), pcFiles_);
    request.TransferFolder = CleanFolderText(CurrentFolder());
    request.Files.clear();
    if (machineList_) {
        for (Row& row : rows_) {
            ComputeRemarks(row);
            if (!row.UploadName.empty()) {
                request.Files.push_back({row.UploadName, static_cast<uint64_t>(std::max(row.Lines, 0)), row.ProgramName});
            }
        }
        Recompute();
        return !request.Files.empty();
    }
    std::string name = FileNameRule(uploadFileName_);
    if (name.empty()) return false;
    if (PcHasFile(name) && !ask_(text_(Msg::OverwriteQuestion))) return false;
    uploadFileName_ = name;
    request.Files.push_back({name, 0, ""});
    Recompute();
    return true;
}
