#pragma once
// The modal list of stored channels from which the operator picks the machine
// to connect to. The rows, the preselection and what OK hands back come from
// the ChannelSelectionModel; the dialog only shows it and forwards clicks.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"

class ChannelSelectionModel;
class QPushButton;
class QTableWidget;

class CSelChannelDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;

    CSelChannelDlg(ChannelSelectionModel& model, const TextOf& text, QWidget* parent = nullptr);

    QTableWidget* List() const { return list_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    void OnSelectionChanged();

    ChannelSelectionModel& model_;
    QTableWidget* list_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
