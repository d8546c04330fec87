#pragma once
// The machine environment page: the table of all 99 channels with the
// connected mark; EDIT (double click or context menu) opens the channel
// editor; DELETE, COPY and PASTE ask for the password first. The rules live
// in MachineEnvironmentModel.

#include <QWidget>
#include <functional>

#include "ui/models/MachineEnvironmentModel.h"

class ChannelEditorModel;
class QMenu;
class QTableWidget;
class Terminal;

class CTabDlg2 : public QWidget {
    Q_OBJECT
public:
    // RequestPassword of the main window.
    using PasswordFn = std::function<bool(bool alwaysAsk)>;
    // Runs the channel editor on the model; true when it ended with OK.
    using EditorFn = std::function<bool(ChannelEditorModel& model)>;

    static constexpr int kList = 1026;
    static constexpr int kRowHeight = 20;

    CTabDlg2(Terminal& terminal, PasswordFn password, QWidget* parent = nullptr);

    void SetEditor(EditorFn editor) { editor_ = std::move(editor); }

    // Every row from the stored channels, and the connected mark.
    void Reload();
    // The connected mark only (the link connected or hung up).
    void RefreshMark();
    // Column headers in the current language.
    void Relabel();

    QTableWidget* List() const { return list_; }
    const MachineEnvironmentModel& Model() const { return model_; }
    // The context menu for a row (its actions in the order EDIT, DELETE, COPY, PASTE).
    QMenu* MakeMenu(int row);

    void OnEdit(int row);
    void OnDelete(int row);
    void OnCopy(int row);
    void OnPaste(int row);

protected:
    // Enter on a row is EDIT, as a double click is.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowRow(int row);
    void ShowContextMenu(const QPoint& position);

    Terminal& terminal_;
    PasswordFn password_;
    EditorFn editor_;
    MachineEnvironmentModel model_;
    QTableWidget* list_;
    int clickedRow_ = -1;
    int clickedColumn_ = -1;
};
