#include "ui/models/DownloadDialogModel.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/PathRules.h"

namespace {

constexpr int kMaxDelayBits = 200;
constexpr int kDefaultSysDelayBits = 35;

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

}  // namespace

DownloadDialogModel::DownloadDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms,
                                         const DownloadRequest& request, TextOf text, ShowStatus status,
                                         SaveChannel save)
    : TransferDialogModel(channel, mcPrograms, std::move(text), std::move(status), std::move(save)),
      // The system program form always sends one file.
      programNames_(request.ShowProgramNames && !request.SystemProgram),
      system_(request.SystemProgram) {}

void DownloadDialogModel::Initialize() {
    if (dialogTitle_.empty()) {
        dialogTitle_ = text_(system_ ? Msg::SelectSystemProgramToDownload : Msg::SelectNcProgramToDownload);
    }
    int preselected = PreselectedDelayBits();
    sysDelayBits_ = system_ && preselected >= 0 ? std::to_string(preselected) : std::string();
    folder_.Reset();
    ReadList();
}

std::string DownloadDialogModel::Caption() const {
    return dialogTitle_ + "  (CH:" + std::to_string(channel_.Channel) + ", " + channel_.McType + ", " +
           channel_.McName + ")";
}

std::vector<DownloadDialogModel::Column> DownloadDialogModel::Columns() const {
    std::vector<Column> columns = {
        {ColumnKind::No, text_(Msg::ColumnNo), 45, true},
        {ColumnKind::Size, text_(Msg::ColumnSize), 70, true},
        {ColumnKind::FileName, text_(Msg::ColumnFileName), 170, false},
    };
    if (programNames_) columns.push_back({ColumnKind::ProgramName, text_(Msg::ProgramNameInMc), 180, false});
    columns.push_back({ColumnKind::Remarks, text_(Msg::ColumnRemarks), 170, false});
    return columns;
}

std::string DownloadDialogModel::CellText(int row, ColumnKind column) const {
    if (!ValidRow(row)) return {};
    const Row& r = rows_[row];
    switch (column) {
        case ColumnKind::No: return Formatted("%04llu", static_cast<unsigned long long>(row) + 1);
        case ColumnKind::Size: return Formatted("%06llu", r.Item.Length);
        case ColumnKind::FileName: return r.Item.FileName;
        case ColumnKind::ProgramName: return r.Item.McProgramName;
        case ColumnKind::Remarks: return r.Remarks;
    }
    return {};
}

std::vector<std::string> DownloadDialogModel::DelayBitChoices() {
    std::vector<std::string> choices;
    for (int bits = 0; bits <= kMaxDelayBits; ++bits) choices.push_back(std::to_string(bits));
    return choices;
}

int DownloadDialogModel::PreselectedDelayBits() const {
    if (channel_.McType == "UNIVERSAL" || channel_.McType == "TDK/VC5") return kDefaultSysDelayBits;
    return -1;
}

std::string DownloadDialogModel::MachineName(const std::string& text) const {
    if (channel_.McType == "UNIVERSAL") return CleanMcProgramName(text, McNameForm::Long);
    if (channel_.McType == "TDK/VC5") return CleanMcProgramName(text, McNameForm::Short);
    return text;
}

// ---- the list ------------------------------------------------------------------

void DownloadDialogModel::FillRows(TransferItemList files) {
    rows_.clear();
    for (TransferItem& item : files) {
        Row row;
        row.Item = std::move(item);
        row.Item.McProgramName.clear();
        rows_.push_back(std::move(row));
    }
}

void DownloadDialogModel::ComputeRemarks(Row& row) const {
    row.Remarks.clear();
    if (!programNames_) return;
    const std::string& name = row.Item.McProgramName;
    std::string candidate = name.empty() ? MachineName(row.Item.FileName) : name;
    for (const McProgramEntry& entry : mcPrograms_) {
        if (EqualIgnoringCase(entry.Name, candidate)) {
            row.Remarks = text_(Msg::AlreadyExistOnMc);
            return;
        }
    }
    if (!name.empty()) row.Remarks = text_(Msg::Downloading);
}

void DownloadDialogModel::Recompute() {
    for (Row& row : rows_) ComputeRemarks(row);
    buttons_.ChangeFolder = folder_.DiffersFromChannel();
    int selected = SelectedCount();
    buttons_.QuickView = selected == 1;
    if (programNames_) {
        buttons_.Download = std::any_of(rows_.begin(), rows_.end(),
                                        [](const Row& r) { return !r.Item.McProgramName.empty(); });
    } else {
        buttons_.Download = selected == 1;
    }
}

// ---- selection and clicks --------------------------------------------------------

bool DownloadDialogModel::AnySelectedHasName() const {
    std::vector<int> selected = SelectedRows();
    return std::any_of(selected.begin(), selected.end(),
                       [this](int i) { return !rows_[i].Item.McProgramName.empty(); });
}

DownloadDialogModel::DoubleClickResult DownloadDialogModel::DoubleClick(int row, int column) {
    Click(row, column);
    if (!programNames_ || clickedRow_ < 0) return DoubleClickResult::Nothing;
    switch (ClickedColumn()) {
        case ColumnKind::FileName: Select(); return DoubleClickResult::Selected;
        case ColumnKind::ProgramName: return DoubleClickResult::StartRename;
        default: return DoubleClickResult::Nothing;
    }
}

std::vector<DownloadDialogModel::MenuEntry> DownloadDialogModel::ContextMenu(int row, int column) {
    Click(row, column);
    std::vector<MenuEntry> menu;
    if (!programNames_) {
        // Acts as the download button, on the selection wherever the click landed.
        if (SelectedCount() == 1) menu.push_back({text_(Msg::ProgramDownloadButton), Action::Download});
        return menu;
    }
    if (clickedRow_ < 0) return menu;
    switch (ClickedColumn()) {
        case ColumnKind::FileName:
            menu.push_back({text_(Msg::ProgramNameEqualsFileName), Action::Select});
            if (AnySelectedHasName()) menu.push_back({text_(Msg::QuickViewTitle), Action::QuickView});
            break;
        case ColumnKind::ProgramName:
            if (AnySelectedHasName()) menu.push_back({text_(Msg::Deselect), Action::Deselect});
            menu.push_back({text_(Msg::DownloadingProgramRename), Action::Rename});
            if (SelectedCount() == 1 && !system_) menu.push_back({text_(Msg::QuickViewTitle), Action::QuickView});
            break;
        default: break;
    }
    return menu;
}

std::vector<int> DownloadDialogModel::TargetRows() const {
    std::vector<int> rows = SelectedRows();
    if (clickedRow_ >= 0 && std::find(rows.begin(), rows.end(), clickedRow_) == rows.end()) {
        rows.push_back(clickedRow_);
    }
    return rows;
}

void DownloadDialogModel::Select() {
    if (!programNames_) return;
    for (int row : TargetRows()) rows_[row].Item.McProgramName = MachineName(rows_[row].Item.FileName);
    Recompute();
}

void DownloadDialogModel::Deselect() {
    if (!programNames_) return;
    for (int row : TargetRows()) rows_[row].Item.McProgramName.clear();
    Recompute();
}

// ---- renaming in place -------------------------------------------------------------

void DownloadDialogModel::CommitRename(const std::string& text) {
    int index = TakeRenameRow();
    if (index < 0) return;
    Row& row = rows_[index];
    std::string typed = Trimmed(text);
    if (typed == row.Item.McProgramName) return;
    row.Item.McProgramName = MachineName(typed);
    Recompute();
}

void DownloadDialogModel::FileChosen(const std::string& fileName) {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (rows_[i].Item.FileName == fileName) {
            clickedRow_ = i;
            SetSelection({i});
            return;
        }
    }
}

// ---- quick view -----------------------------------------------------------------------

std::string DownloadDialogModel::QuickViewPath() const {
    int row = ViewRow();
    if (row < 0) return {};
    return JoinPath(CurrentFolder(), rows_[row].Item.FileName);
}

bool DownloadDialogModel::LoadViewText(const std::string& path, std::size_t limit, std::string& text, bool& cut) {
    text.clear();
    cut = false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string bytes(limit + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) return false;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > limit) {
        bytes.resize(limit);
        cut = true;
    }
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text.push_back('\n');
        } else if (c == '\n' || c == '\t' || c >= 0x20) {
            text.push_back(c == 0x7F ? '.' : static_cast<char>(c));
        } else {
            text.push_back('.');
        }
    }
    return true;
}

// ---- OK -----------------------------------------------------------------------------------

bool DownloadDialogModel::Download(DownloadRequest& request) const {
    request.TransferFolder = CleanFolderText(CurrentFolder());
    request.Files.clear();
    if (programNames_) {
        for (const Row& row : rows_) {
            if (!row.Item.McProgramName.empty()) request.Files.push_back(row.Item);
        }
    } else if (SelectedCount() == 1) {
        TransferItem item = rows_[SelectedRows().front()].Item;
        item.McProgramName.clear();
        request.Files.push_back(item);
    }
    request.SysDelayBits = system_ ? sysDelayBits_ : std::string();
    return !request.Files.empty();
}
