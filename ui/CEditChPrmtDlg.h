#pragma once
// The channel editor: one channel's machine, line parameters, sub module
// serial and NC folder. The rules (change bits, button states, "Default",
// channel switching, O.K) live in ChannelEditorModel; the dialog shows them.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"
#include "ui/models/ChannelEditorModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CEditChPrmtDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;
    // The folder browser: a title and the folder to start at; the chosen
    // folder, or empty when the operator cancelled.
    using FolderBrowserFn = std::function<std::string(const std::string& title, const std::string& start)>;

    static constexpr int kSerial = 1000;
    static constexpr int kDefault = 1005;
    static constexpr int kCancel = 1008;
    static constexpr int kName = 1016;
    static constexpr int kDataBit = 1020;
    static constexpr int kParity = 1021;
    static constexpr int kType = 1022;
    static constexpr int kChange = 1033;
    static constexpr int kFolderGroup = 1035;
    static constexpr int kPnrPName = 1037;
    static constexpr int kOk = 1038;
    static constexpr int kDelayBit = 1067;
    static constexpr int kChannel = 1068;
    static constexpr int kEtx = 1069;
    static constexpr int kBaudRate = 1070;
    static constexpr int kFolder = 1093;
    static constexpr int kVerify = 1094;

    CEditChPrmtDlg(ChannelEditorModel& model, TextOf text, QWidget* parent = nullptr);

    void SetFolderBrowser(FolderBrowserFn browser) { browser_ = std::move(browser); }

    QComboBox* Combo(int id) const;
    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* SerialEdit() const { return serial_; }
    QLineEdit* FolderEdit() const { return folder_; }
    QCheckBox* PnrPNameBox() const { return pnrPName_; }
    QCheckBox* VerifyBox() const { return verify_; }
    QLabel* EtxLabel() const { return etxLabel_; }
    QPushButton* DefaultButton() const { return default_; }
    QPushButton* ChangeButton() const { return change_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void OnDefault();
    void OnChangeFolder();
    void OnOk();

private:
    // The model's controls into the widgets, then the button states.
    void ShowControls();
    void UpdateButtons();

    ChannelEditorModel& model_;
    TextOf text_;
    FolderBrowserFn browser_;

    QComboBox* channel_;
    QComboBox* baud_;
    QComboBox* dataBit_;
    QComboBox* parity_;
    QComboBox* delay_;
    QComboBox* type_;
    QComboBox* etx_;
    QLabel* etxLabel_;
    QCheckBox* pnrPName_;
    QCheckBox* verify_;
    QLineEdit* name_;
    QLineEdit* serial_;
    QLineEdit* folder_;
    QPushButton* change_;
    QPushButton* default_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
