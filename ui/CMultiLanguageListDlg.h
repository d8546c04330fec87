#pragma once
// The string list editor: the text table as a grid, one line per row and a
// column per language, edited in place. OK rebuilds the table from the grid
// and saves the language file; Reset brings back the built-in table. The
// rules live in MultiLanguageListModel; this dialog shows them and keeps the
// in-place editor over the cell being edited.

#include <QDialog>
#include <functional>
#include <string>

#include "ui/models/MultiLanguageListModel.h"

class CKOVAApp;
class QLineEdit;
class QPushButton;
class QTableWidget;

class CMultiLanguageListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1099;
    static constexpr int kFindFirst = 1056;
    static constexpr int kFindNext = 1058;
    static constexpr int kReset = 1090;
    static constexpr int kAdd = 1057;
    static constexpr int kDelete = 1055;
    static constexpr int kEditor = 1061;

    // The fixed question of Reset ("the language settings are about to be reset").
    static constexpr const char* kResetQuestion = "언어 설정이 초기화 됩니다.";

    explicit CMultiLanguageListDlg(CKOVAApp& app, QWidget* parent = nullptr);

    // Asks the Reset question; true for OK. Tests answer it without a box.
    std::function<bool()> AskReset;
    // Tells that OK could not write the language file. Tests take the text without a box.
    std::function<void(const std::string& text)> ShowSaveFailure;
    // Runs the find dialog on the settings; true (and the settings changed) on OK.
    std::function<bool(MultiLanguageListModel::FindSettings&)> AskFind;

    // After OK: whether the ADD button was visible (the Options page enables
    // its header export by it).
    bool AddWasVisible() const { return addWasVisible_; }

    MultiLanguageListModel& Model() { return model_; }
    QTableWidget* List() const { return list_; }
    QLineEdit* Editor() const { return editor_; }
    QPushButton* FindNextButton() const { return findNext_; }
    bool Editing() const { return editing_; }

    // The in-place editor: opens on a cell, closes applying or dropping the text.
    void StartEdit(int row, int column);
    void CloseEdit(bool apply);

    void OnFindFirst();
    void OnFindNext();
    void OnReset();
    void OnAdd();
    void OnDelete();
    void OnOk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillList();
    void ShowCell(int row, int column);
    void ShowFound();
    bool EditorKey(int key);

    CKOVAApp& app_;
    MultiLanguageListModel model_;
    QTableWidget* list_;
    QLineEdit* editor_;
    QPushButton* findNext_;
    QPushButton* add_;
    QPushButton* delete_;
    int currentRow_ = -1;
    int currentColumn_ = -1;
    bool editing_ = false;
    int editRow_ = -1;
    int editColumn_ = -1;
    std::string editOriginal_;
    bool addWasVisible_ = false;
};
