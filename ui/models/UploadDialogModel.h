#pragma once
// The rules of the upload dialog, without Qt: under which PC file names the
// programs that come from the machine are saved. The Qt dialog (CUploadDlg)
// shows this model and forwards the user's actions.
//
// Two modes: machine-list mode for machines that store programs by name
// (TDK/VC5, UNIVERSAL), where any program of the machine's list gets an
// upload file name; single-name mode for the others, where the operator
// starts the program at the machine and the dialog asks for the one file name
// under which it is saved, showing the files already in the folder.
//
// The model touches no widget: it reads the folder (ListPcFiles), saves the
// channel, shows status texts and asks the overwrite question through the
// functions it is given.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"
#include "app/TransferItem.h"
#include "engine/McProgramEntry.h"
#include "engine/UploadRequest.h"
#include "lang/Msg.h"
#include "ui/models/TransferDialogModel.h"

class UploadDialogModel : public TransferDialogModel {
public:
    // A Yes/No question; true for Yes.
    using AskYesNo = std::function<bool(const std::string& text)>;

    enum class ColumnKind { No, Lines, ProgramName, UploadName, Size, FileName, Remarks };
    struct Column {
        ColumnKind Kind;
        std::string Title;
        int Width;       // pixels
        bool Centered;
    };

    // Machine-list mode: a program of the machine and the file name it is to
    // be saved under. Single-name mode: a file of the folder.
    struct Row {
        std::string ProgramName;
        int32_t Lines = 0;
        std::string UploadName;
        std::string FileName;
        uint64_t Size = 0;
        std::string Remarks;
    };

    struct Buttons {
        bool FindFolder = true;
        bool ChangeFolder = false;
        bool FolderOpen = true;
        bool Refresh = true;
        bool Upload = false;
        bool Rename = false;
        bool Deselect = false;
        bool View = false;
    };

    enum class Action { Select, Deselect, Rename };
    struct MenuEntry {
        std::string Text;
        Action What;
    };

    enum class DoubleClickResult { Nothing, Selected, StartRename, NameCopied };

    // `channel` is the current channel (its folder may be changed and saved),
    // `mcPrograms` the machine's program list; both must outlive the model.
    UploadDialogModel(ChannelConfig& channel, const McProgramEntryList& mcPrograms, const UploadRequest& request,
                      TextOf text, ShowStatus status, SaveChannel save, AskYesNo ask);

    // Path and the first reading of the list.
    void Initialize();
    // The language of the texts the text table has no row for (1 Korean).
    void SetLanguage(int language) { language_ = language; }

    // The file-name rule for upload file names and for program names used as
    // file names: no blanks or line ends at either end, and no character a
    // file name cannot hold. Empty when nothing usable is left.
    static std::string FileNameRule(const std::string& text);

    // ---- what the dialog shows ----
    bool MachineListMode() const { return machineList_; }
    std::string Caption() const;
    std::vector<Column> Columns() const;
    const std::vector<Row>& Rows() const { return rows_; }
    std::string CellText(int row, ColumnKind column) const;
    const Buttons& ButtonStates() const { return buttons_; }

    // ---- single-name mode: the upload file name edit ----
    const std::string& UploadFileName() const { return uploadFileName_; }
    void SetUploadFileName(const std::string& name);

    // ---- the user's actions ----
    ColumnKind ClickedColumn() const { return KindAt(Columns(), clickedColumn_); }
    DoubleClickResult DoubleClick(int row, int column);
    // The context menu for the cell just right-clicked (possibly empty).
    std::vector<MenuEntry> ContextMenu(int row, int column);

    // The clicked row's upload file name becomes its program name, through
    // the file-name rule.
    void Select();
    // Every selected row loses its upload file name.
    void Deselect();

    // In-place editing of the clicked row's upload file name (BeginRename
    // and CancelRename in the base): Commit takes the edited text through
    // the file-name rule.
    void CommitRename(const std::string& text) override;

    // Uploading (PC<-MC): fills `request` (folder and items); true when the
    // dialog may end with OK. In single-name mode a name that exists in the
    // folder is saved over only after Yes to the overwrite question.
    bool Upload(UploadRequest& request);

    // The PC file Quick View shows for the single selected row, else the
    // clicked one: in single-name mode the row's file; in machine-list mode
    // the file the row's program would be saved over. Empty when there is none.
    std::string QuickViewPath() const override;

private:
    void FillRows(TransferItemList files) override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void Recompute() override;
    bool CanRename() const override { return machineList_; }
    std::string RenameText(int row) const override { return rows_[row].UploadName; }
    // A file chosen in single-name mode is the name to save under.
    void FileChosen(const std::string& fileName) override;
    void ComputeRemarks(Row& row);
    // "older versions kept: N" for a file of the folder that has kept
    // versions, else empty; the Note puts it in brackets behind a remark.
    std::string OlderVersions(const std::string& fileName) const;
    std::string OlderVersionsNote(const std::string& fileName) const;
    bool PcHasFile(const std::string& name) const;

    AskYesNo ask_;

    bool machineList_ = false;
    TransferItemList pcFiles_;
    std::vector<Row> rows_;
    std::string uploadFileName_;
    Buttons buttons_;
    int language_ = 0;
};
