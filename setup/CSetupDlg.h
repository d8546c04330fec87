#pragma once
// The installer's window: four colour statics with the product lines, the
// language choice, the six action buttons in pairs and Exit. Its rules live in
// SetupModel; this class shows them and forwards the buttons. Controls are
// named by their numbers (objectName "1008" ...).

#include <QDialog>
#include <QString>
#include <functional>
#include <map>

#include "setup/DriverInstallRunner.h"

class CColorStatic;
class QComboBox;
class QLabel;
class QPushButton;
class SetupModel;

class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    // Control numbers.
    enum : int {
        IdUninstallDriver = 1000,
        IdLanguage = 1002,
        IdLanguageLabel = 1003,
        IdSetAutoStart = 1005,
        IdResetAutoStart = 1006,
        IdInstallDriver = 1007,
        IdInstallProgram = 1008,
        IdUninstallProgram = 1009,
        IdProductName = 1011,
        IdProductDescription = 1012,
        IdFileVersion = 1013,
        IdCompanyName = 1014,
        IdExit = 2,
    };

    // The model's Language is the one the window opens in.
    explicit CSetupDlg(SetupModel& model, QWidget* parent = nullptr);
    ~CSetupDlg() override;

    // Message boxes go here (tests record them); the default shows a QMessageBox.
    void SetMessageHandler(std::function<void(const QString&)> handler) { showMessage_ = std::move(handler); }

    QPushButton* Button(int id) const;
    CColorStatic* Static(int id) const;
    QComboBox* LanguageBox() const { return language_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ApplyTexts();
    void SetButtons();
    void Show(const std::string& message);
    void OnLanguageChanged(int index);
    void OnInstallDriver();
    void OnDriverInstalled();

    SetupModel& model_;
    std::map<int, QPushButton*> buttons_;
    std::map<int, CColorStatic*> statics_;
    QComboBox* language_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    DriverInstallRunner driver_;
    bool driverRunning_ = false;
    std::function<void(const QString&)> showMessage_;
};
