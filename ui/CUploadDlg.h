#pragma once
// The upload dialog: under which PC file names the programs that come from
// the machine are saved. For machines with a program list, the machine's
// programs with an upload file name each; for the others, the one file name
// for the program the operator starts at the machine, over the files already
// in the folder. Every rule lives in UploadDialogModel; the dialog shows the
// model and forwards the operator's actions to it.

#include <QDialog>
#include <functional>
#include <string>

#include "engine/UploadRequest.h"
#include "ui/models/UploadDialogModel.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Terminal;

class CUploadDlg : public QDialog {
    Q_OBJECT
public:
    // The folder browser and the file-open dialog; tests put their own in.
    using FolderPicker = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    using FilePicker = std::function<QString(QWidget* parent, const QString& start, const QString& filter)>;

    CUploadDlg(UploadDialogModel& model, const UploadDialogModel::TextOf& text, QWidget* parent = nullptr);

    // What OK hands back (valid after the dialog was accepted).
    const UploadRequest& Result() const { return result_; }

    FolderPicker PickFolder;
    FilePicker PickFile;

    QLineEdit* PathEdit() const { return path_; }
    QTableWidget* List() const { return list_; }
    QLineEdit* UploadNameEdit() const { return uploadName_; }
    QGroupBox* UploadNameGroup() const { return group_; }
    QLineEdit* RenameEdit() const { return renameEdit_; }
    QPushButton* UploadButton() const { return upload_; }
    QPushButton* ChangeFolderButton() const { return changeFolder_; }

    void RunAction(UploadDialogModel::Action action);
    void StartRename();
    // Quick View of the PC file of the selected row (nothing when there is none).
    void ShowQuickView();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList();
    void SyncCells();
    void SyncButtons();
    void OnSelectionChanged();
    void OnContextMenu(const QPoint& position);
    void OnUpload();
    void CommitRename();
    void CancelRename();

    UploadDialogModel& model_;
    UploadDialogModel::TextOf text_;
    UploadRequest result_;
    int shownVersion_ = -1;
    bool filling_ = false;

    QLineEdit* path_;
    QTableWidget* list_;
    QGroupBox* group_;
    QLineEdit* uploadName_;
    QLineEdit* renameEdit_;
    QPushButton* findFolder_;
    QPushButton* changeFolder_;
    QPushButton* folderOpen_;
    QPushButton* refresh_;
    QPushButton* upload_;
};

// Shows the upload dialog for the terminal's current channel and machine
// program list; true on OK with the choice in `request`. For the front end's
// TerminalView::RunUploadDialog.
bool ShowUploadDialog(QWidget* parent, Terminal& terminal, UploadRequest& request);
