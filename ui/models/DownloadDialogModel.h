#pragma once
// The rules of the download dialog, without Qt: the files of a folder, the
// machine program names the user gives them, the remarks against the
// machine's program list, the button states, and what OK hands back. The Qt
// dialog (CDownloadDlg) shows this model and forwards the user's actions.
//
// Two modes: program-name mode for machines that store programs by name
// (TDK/VC5, UNIVERSAL), where any number of files get a program name each;
// single-file mode for the others and for the system program form, where the
// one selected file is sent.
//
// The model touches no widget. It reads the folder (ListPcFiles), saves the
// channel through the function it is given, and shows texts in the status
// window through another.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"
#include "app/TransferItem.h"
#include "engine/DownloadRequest.h"
#include "engine/McProgramEntry.h"
#include "lang/Msg.h"
#include "ui/models/TransferDialogModel.h"

class DownloadDialogModel : public TransferDialogModel {
public:

    enum class ColumnKind { No, Size, FileName, ProgramName, Remarks };
    struct Column {
        ColumnKind Kind;
        std::string Title;
        int Width;       // pixels
        bool Centered;
    };

    struct Row {
        TransferItem Item;     // file name, length, and the "Program name in MC"
        std::string Remarks;
    };

    struct Buttons {
        bool FindFolder = true;
        bool ChangeFolder = false;
        bool FolderOpen = true;
        bool Refresh = true;
        bool QuickView = false;
        bool Download = false;
    };

    enum class Action { Select, Deselect, Rename, QuickView, Download };
    struct MenuEntry {
        std::string Text;
        Action What;
    };

    // What a double click asks of the dialog.
    enum class DoubleClickResult { Nothing, Selected, StartRename };

    // `channel` is the current channel (its folder may be changed and saved);
    // `mcPrograms` the machine's program list. Both must outlive the model.
    DownloadDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms,
                        const DownloadRequest& request, TextOf text, ShowStatus status, SaveChannel save);

    // Title, path and the first reading of the list.
    void Initialize();

    // ---- what the dialog shows ----
    bool ProgramNameMode() const { return programNames_; }
    bool SystemForm() const { return system_; }
    std::string Caption() const;
    const std::string& DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const std::string& title) { dialogTitle_ = title; }
    std::vector<Column> Columns() const;
    const std::vector<Row>& Rows() const { return rows_; }
    std::string CellText(int row, ColumnKind column) const;
    const Buttons& ButtonStates() const { return buttons_; }

    // The system form's delay bits: "0" to "200", and which is preselected
    // (35 for UNIVERSAL and TDK/VC5, else none: -1).
    static std::vector<std::string> DelayBitChoices();
    int PreselectedDelayBits() const;
    const std::string& SysDelayBits() const { return sysDelayBits_; }
    void SetSysDelayBits(const std::string& bits) { sysDelayBits_ = bits; }

    // The machine-name rule of the channel's type.
    std::string MachineName(const std::string& text) const;

    // ---- the user's actions ----
    ColumnKind ClickedColumn() const { return KindAt(Columns(), clickedColumn_); }
    DoubleClickResult DoubleClick(int row, int column);
    // The context menu for the cell just right-clicked (possibly empty).
    std::vector<MenuEntry> ContextMenu(int row, int column);

    // The clicked row and every selected row get their file name, through
    // the machine-name rule, as program name.
    void Select();
    // The clicked row and every selected row lose their program name.
    void Deselect();

    // In-place editing of the clicked row's program name (BeginRename and
    // CancelRename in the base): Commit takes the edited text through the
    // machine-name rule.
    void CommitRename(const std::string& text) override;

    // The file "Quick View" shows: the single selected row, else the clicked
    // row; empty when there is none.
    std::string QuickViewPath() const override;
    // Reads a file for viewing: at most `limit` bytes, CR LF and lone CR
    // become LF, other control bytes but tab show as '.'. False when the file
    // cannot be read.
    static bool LoadViewText(const std::string& path, std::size_t limit, std::string& text, bool& cut);

    // Downloading (PC->MC): fills `request` (folder, files, delay bits);
    // true when there is something to send and the dialog may end with OK.
    bool Download(DownloadRequest& request) const;

    static constexpr const char* kDefaultFilePattern = TransferFolderModel::kDefaultFilePattern;

private:
    void FillRows(TransferItemList files) override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void Recompute() override;
    bool CanRename() const override { return programNames_; }
    std::string RenameText(int row) const override { return rows_[row].Item.McProgramName; }
    // A file chosen in the file-open dialog is clicked and selected.
    void FileChosen(const std::string& fileName) override;
    void ComputeRemarks(Row& row) const;
    bool AnySelectedHasName() const;
    std::vector<int> TargetRows() const;

    bool programNames_ = false;
    bool system_ = false;
    std::string dialogTitle_;
    std::string sysDelayBits_;

    std::vector<Row> rows_;
    Buttons buttons_;
};
