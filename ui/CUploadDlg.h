#pragma once
// The upload dialog: under which PC file names the programs that come from
// the machine are saved. For machines with a program list, the machine's
// programs with an upload file name each; for the others, the one file name
// for the program the operator starts at the machine, over the files already
// in the folder. Every rule lives in UploadDialogModel; the dialog shows the
// model and forwards the operator's actions to it.

#include "engine/UploadRequest.h"
#include "ui/TransferDialog.h"
#include "ui/models/UploadDialogModel.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class Terminal;

class CUploadDlg : public TransferDialog {
    Q_OBJECT
public:
    CUploadDlg(UploadDialogModel& model, const UploadDialogModel::TextOf& text, QWidget* parent = nullptr);

    // What OK hands back (valid after the dialog was accepted).
    const UploadRequest& Result() const { return result_; }

    QLineEdit* UploadNameEdit() const { return uploadName_; }
    QGroupBox* UploadNameGroup() const { return group_; }
    QPushButton* UploadButton() const { return upload_; }

    void RunAction(UploadDialogModel::Action action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SyncButtons() override;
    // A file chosen in single-name mode shows as the name to save under.
    void FileOpened() override;
    void OnContextMenu(const QPoint& position);
    void OnUpload();

    UploadDialogModel& model_;
    UploadRequest result_;

    QGroupBox* group_;
    QLineEdit* uploadName_;
    QPushButton* upload_;
};

// Shows the upload dialog for the terminal's current channel and machine
// program list; true on OK with the choice in `request`. For the front end's
// TerminalView::RunUploadDialog.
bool ShowUploadDialog(QWidget* parent, Terminal& terminal, UploadRequest& request);
