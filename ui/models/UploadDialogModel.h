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
#include "ui/models/TransferFolderModel.h"

class UploadDialogModel {
public:
    using TextOf = std::function<std::string(Msg)>;
    using ShowStatus = std::function<void(const std::string& text)>;
    using SaveChannel = TransferFolderModel::SaveChannel;
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
        bool Selected = false;
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
    // Grows each time the list is read again (the rows are new then).
    int ListVersion() const { return listVersion_; }

    const std::string& PathPattern() const { return folder_.PathPattern(); }
    const std::string& FilePattern() const { return folder_.FilePattern(); }
    std::string CurrentFolder() const { return folder_.CurrentFolder(); }

    // ---- single-name mode: the upload file name edit ----
    const std::string& UploadFileName() const { return uploadFileName_; }
    void SetUploadFileName(const std::string& name);

    // ---- the user's actions ----
    void SetSelection(const std::vector<int>& rows);
    std::vector<int> SelectedRows() const;
    void Click(int row, int column);
    int ClickedRow() const { return clickedRow_; }
    ColumnKind ClickedColumn() const;
    DoubleClickResult DoubleClick(int row, int column);
    // The context menu for the cell just right-clicked (possibly empty).
    std::vector<MenuEntry> ContextMenu(int row, int column);

    // The clicked row's upload file name becomes its program name, through
    // the file-name rule.
    void Select();
    // Every selected row loses its upload file name.
    void Deselect();

    // In-place editing of the clicked row's upload file name. Begin gives the
    // text to edit (false when there is no row to edit); Commit takes the
    // edited text through the file-name rule; Cancel leaves the cell.
    bool BeginRename(int& row, std::string& text);
    void CommitRename(const std::string& text);
    void CancelRename();
    bool Renaming() const { return renameRow_ >= 0; }

    // The folder actions; each reads the list again when the folder changed.
    bool ApplyPathEdit(const std::string& text);
    void Refresh(const std::string& text);
    void FolderChosen(const std::string& folder);
    void FileOpenDone(const std::string& chosenPath);
    void ChangeFolderOfChannel();

    // Uploading (PC<-MC): fills `request` (folder and items); true when the
    // dialog may end with OK. In single-name mode a name that exists in the
    // folder is saved over only after Yes to the overwrite question.
    bool Upload(UploadRequest& request);

    // The PC file Quick View shows for the single selected row, else the
    // clicked one: in single-name mode the row's file; in machine-list mode
    // the file the row's program would be saved over. Empty when there is none.
    std::string QuickViewPath() const;
    // The machine type of the channel, which decides how Quick View reads coordinates.
    const std::string& McType() const { return channel_.McType; }

private:
    void ReadList();
    void Recompute();
    void ComputeRemarks(Row& row);
    // "older versions kept: N" for a file of the folder that has kept
    // versions, else empty; the Note puts it in brackets behind a remark.
    std::string OlderVersions(const std::string& fileName) const;
    std::string OlderVersionsNote(const std::string& fileName) const;
    bool PcHasFile(const std::string& name) const;
    bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    ChannelConfig& channel_;
    const McProgramEntryList& mcPrograms_;
    TextOf text_;
    ShowStatus status_;
    AskYesNo ask_;
    TransferFolderModel folder_;

    bool machineList_ = false;
    TransferItemList pcFiles_;
    std::vector<Row> rows_;
    std::string uploadFileName_;
    Buttons buttons_;
    int listVersion_ = 0;
    int clickedRow_ = -1;
    int clickedColumn_ = -1;
    int renameRow_ = -1;
    int language_ = 0;
};
