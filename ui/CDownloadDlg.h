#pragma once
// The download dialog: the files of a folder from which the operator picks
// what is sent to the machine, with the machine program names for machines
// that store programs by name, or the one system program file and its delay
// bits. Every rule lives in DownloadDialogModel; the dialog shows the model
// and forwards the operator's actions to it.

#include <QDialog>
#include <functional>
#include <string>

#include "engine/DownloadRequest.h"
#include "ui/models/DownloadDialogModel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Terminal;

class CDownloadDlg : public QDialog {
    Q_OBJECT
public:
    // The folder browser and the file-open dialog; tests put their own in.
    using FolderPicker = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    using FilePicker = std::function<QString(QWidget* parent, const QString& start, const QString& filter)>;

    CDownloadDlg(DownloadDialogModel& model, const DownloadDialogModel::TextOf& text, QWidget* parent = nullptr);

    // What OK hands back (valid after the dialog was accepted).
    const DownloadRequest& Result() const { return result_; }

    FolderPicker PickFolder;
    FilePicker PickFile;

    QLineEdit* PathEdit() const { return path_; }
    QTableWidget* List() const { return list_; }
    QLineEdit* NameEdit() const { return nameEdit_; }
    QComboBox* DelayBits() const { return delayBits_; }
    QPushButton* FindFolderButton() const { return findFolder_; }
    QPushButton* ChangeFolderButton() const { return changeFolder_; }
    QPushButton* FolderOpenButton() const { return folderOpen_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* DownloadButton() const { return download_; }

    // The actions, as the menu, buttons and double clicks run them.
    void RunAction(DownloadDialogModel::Action action);
    void StartRename();
    void ShowQuickView();

    // The Qt filter for the file-open dialog: the file pattern, then all files.
    static QString FileFilter(const std::string& pattern);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList();
    void SyncCells();
    void SyncButtons();
    void OnSelectionChanged();
    void OnContextMenu(const QPoint& position);
    void OnFindFolder();
    void OnFolderOpen();
    void OnDownload();
    void CommitRename();
    void CancelRename();
    void RestorePath();

    DownloadDialogModel& model_;
    DownloadDialogModel::TextOf text_;
    DownloadRequest result_;
    int shownVersion_ = -1;
    bool filling_ = false;

    QLineEdit* path_;
    QTableWidget* list_;
    QLineEdit* nameEdit_;
    QLabel* delayLabel_;
    QComboBox* delayBits_;
    QPushButton* findFolder_;
    QPushButton* changeFolder_;
    QPushButton* folderOpen_;
    QPushButton* refresh_;
    QPushButton* download_;
};

// Shows the download dialog for the terminal's current channel and machine
// program list; true on OK with the choice in `request`. For the front end's
// TerminalView::RunDownloadDialog.
bool ShowDownloadDialog(QWidget* parent, Terminal& terminal, DownloadRequest& request);
