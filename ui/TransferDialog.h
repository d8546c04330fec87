#pragma once
// What the download and upload dialogs share on the Qt side: the path edit,
// the list with its in-place rename edit, the four folder buttons, and the
// glue that keeps them in step with the dialog's model (selection, clicks,
// the folder actions, renaming, Quick View, the keys of the edits). The
// derived dialog adds its own widgets, buttons and menu actions.

#include <QDialog>
#include <QMenu>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/QtText.h"
#include "ui/TransferTable.h"
#include "ui/models/TransferDialogModel.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;

class TransferDialog : public QDialog {
    Q_OBJECT
public:
    // The folder browser and the file-open dialog; tests put their own in.
    using FolderPicker = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    using FilePicker = std::function<QString(QWidget* parent, const QString& start, const QString& filter)>;

    FolderPicker PickFolder;
    FilePicker PickFile;

    QLineEdit* PathEdit() const { return path_; }
    QTableWidget* List() const { return list_; }
    QLineEdit* RenameEdit() const { return renameEdit_; }
    QPushButton* FindFolderButton() const { return findFolder_; }
    QPushButton* ChangeFolderButton() const { return changeFolder_; }
    QPushButton* FolderOpenButton() const { return folderOpen_; }
    QPushButton* RefreshButton() const { return refresh_; }

    // Opens the rename edit over the clicked row's name, when the model allows it.
    void StartRename();
    // Quick View of the model's file (nothing when there is none).
    void ShowQuickView();

    // The Qt filter for the file-open dialog: the file pattern, then all files.
    static QString FileFilter(const std::string& pattern);

protected:
    // Sets up the path edit, the list for `model`'s columns and the rename
    // edit that works on the column of `renameColumn`. The derived dialog
    // then makes its own widgets and calls AddFolderButtons, so that the
    // tab order runs path, list, its widgets, buttons.
    template <typename Model>
    TransferDialog(Model& model, const TransferDialogModel::TextOf& text,
                   typename Model::ColumnKind renameColumn, QWidget* parent)
        : TransferDialog(static_cast<TransferDialogModel&>(model), text, parent) {
        TransferTable::SetUp(list_, model);
        fillTable_ = [this, &model] { return TransferTable::Fill(list_, model); };
        syncTable_ = [this, &model] { TransferTable::SyncCells(list_, model); };
        openRename_ = [this, &model, renameColumn](int row, const std::string& name) {
            return TransferTable::OpenRenameEdit(list_, renameEdit_, model, row, renameColumn, name);
        };
    }

    // The four folder buttons, wired to the model.
    void AddFolderButtons();
    // A button that Enter in the edits does not press.
    QPushButton* MakeButton(Msg caption);
    // The folder buttons, a stretch, then `transfer`.
    QHBoxLayout* ButtonRow(QPushButton* transfer);

    // Makes the list anew from the model and shows everything.
    void FillList();
    // The cells' texts, or the whole list when the model read it again.
    void SyncCells();
    // The buttons' states from the model.
    virtual void SyncButtons() = 0;
    template <typename Buttons>
    void SyncFolderButtons(const Buttons& b) {
        SetFolderButtons(b.FindFolder, b.ChangeFolder, b.FolderOpen, b.Refresh);
    }
    // Called after the file-open dialog, before the list is filled again.
    virtual void FileOpened() {}

    // Shows `entries` as a menu at `position` of the list; `run` carries out
    // the chosen entry's action.
    template <typename Entry, typename Run>
    void ShowMenu(const std::vector<Entry>& entries, const QPoint& position, Run run) {
        QMenu menu(this);
        for (const Entry& entry : entries) {
            auto action = entry.What;
            menu.addAction(ToQ(entry.Text), this, [run, action] { run(action); });
        }
        menu.exec(list_->viewport()->mapToGlobal(position));
    }

    void CommitRename();
    void CancelRename();

    bool eventFilter(QObject* watched, QEvent* event) override;

    TransferDialogModel::TextOf text_;
    QLineEdit* path_ = nullptr;
    QTableWidget* list_ = nullptr;
    QLineEdit* renameEdit_ = nullptr;
    QPushButton* findFolder_ = nullptr;
    QPushButton* changeFolder_ = nullptr;
    QPushButton* folderOpen_ = nullptr;
    QPushButton* refresh_ = nullptr;

private:
    TransferDialog(TransferDialogModel& model, const TransferDialogModel::TextOf& text, QWidget* parent);

    void SetFolderButtons(bool findFolder, bool changeFolder, bool folderOpen, bool refresh);
    void OnSelectionChanged();
    void OnFindFolder();
    void OnFolderOpen();
    void RestorePath();

    TransferDialogModel& model_;
    std::function<int()> fillTable_;
    std::function<void()> syncTable_;
    std::function<bool(int row, const std::string& name)> openRename_;
    int shownVersion_ = -1;
    bool filling_ = false;
};
