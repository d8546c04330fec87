#pragma once
// The download dialog: the files of a folder from which the operator picks
// what is sent to the machine, with the machine program names for machines
// that store programs by name, or the one system program file and its delay
// bits. Every rule lives in DownloadDialogModel; the dialog shows the model
// and forwards the operator's actions to it.

#include <string>

#include "engine/DownloadRequest.h"
#include "ui/TransferDialog.h"
#include "ui/models/DownloadDialogModel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Terminal;

class CDownloadDlg : public TransferDialog {
    Q_OBJECT
public:
    CDownloadDlg(DownloadDialogModel& model, const DownloadDialogModel::TextOf& text, QWidget* parent = nullptr);

    // What OK hands back (valid after the dialog was accepted).
    const DownloadRequest& Result() const { return result_; }

    QLineEdit* NameEdit() const { return RenameEdit(); }
    QComboBox* DelayBits() const { return delayBits_; }
    QPushButton* DownloadButton() const { return download_; }

    // The actions, as the menu, buttons and double clicks run them.
    void RunAction(DownloadDialogModel::Action action);

private:
    void SyncButtons() override;
    void OnContextMenu(const QPoint& position);
    void OnDownload();

    DownloadDialogModel& model_;
    DownloadRequest result_;

    QLabel* delayLabel_;
    QComboBox* delayBits_;
    QPushButton* download_;
};

// Shows the download dialog for the terminal's current channel and machine
// program list; true on OK with the choice in `request`. For the front end's
// TerminalView::RunDownloadDialog.
bool ShowDownloadDialog(QWidget* parent, Terminal& terminal, DownloadRequest& request);
