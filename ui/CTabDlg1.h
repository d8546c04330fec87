#pragma once
// The PC port page: which serial port the radio terminal is on ("Auto" to
// search), the line indicators, the idle time after which a connected sub
// module is hung up, and the buttons that open, close and re-check the port.
// The rules live in PcPortPageModel; the link jobs do the work.

#include <QWidget>
#include <functional>

#include "ui/models/PcPortPageModel.h"

class CPortComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Terminal;

class CTabDlg1 : public QWidget {
    Q_OBJECT
public:
    using SendMessageFn = std::function<intptr_t(uint32_t message, uint32_t wParam, uint32_t lParam)>;
    // RequestPassword of the main window (true: the protected action may go on).
    using PasswordFn = std::function<bool(bool alwaysAsk)>;

    static constexpr int kIdleEdit = 1002;
    static constexpr int kReconnect = 1006;
    static constexpr int kOpenClose = 1007;
    static constexpr int kCancel = 1008;
    static constexpr int kApply = 1010;
    static constexpr int kHostLabel = 1039;
    static constexpr int kPortCombo = 1040;
    static constexpr int kPortLabel = 1041;
    static constexpr int kParameterLabel = 1042;
    static constexpr int kIdleLabel = 1043;
    static constexpr int kPcToHost = 1044;
    static constexpr int kHostToPc = 1045;
    static constexpr int kSubToMc = 1046;
    static constexpr int kMcToSub = 1047;
    static constexpr int kIndicatorGroup = 1129;

    CTabDlg1(Terminal& terminal, SendMessageFn send, PasswordFn password, QWidget* parent = nullptr);

    // The page is selected: the port list and the idle time from the settings.
    void Reload();
    // Labels, indicators and enabled states from the link state (an idle
    // time being edited stays).
    void Refresh();
    void Relabel() { Refresh(); }
    // The machine's busy line as the sub module reported it (0xFF busy, 0xFE not).
    void SetMachineBusy(bool busy);

    const PcPortPageView& View() const { return view_; }
    CPortComboBox* PortCombo() const { return combo_; }
    QLineEdit* IdleEdit() const { return idle_; }
    QPushButton* OpenCloseButton() const { return openClose_; }
    QPushButton* ReconnectButton() const { return reconnect_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* CancelButton() const { return cancel_; }
    QCheckBox* Indicator(int id) const;
    QLabel* ParameterLabel() const { return parameter_; }
    QLabel* HostLabel() const { return host_; }

    void OnApply();
    void OnCancel();
    void OnOpenClose();
    void OnReconnect();

private:
    // The PC's ports into the combo, choosing `select` (the first entry, "Auto", when absent).
    void FillPorts(const std::string& select);
    void SelectPort(const std::string& port);
    std::string ChosenPort() const;
    PcPortPageInput Input() const;

    Terminal& terminal_;
    SendMessageFn send_;
    PasswordFn password_;
    PcPortPageView view_;
    bool machineBusy_ = false;

    QLabel* portLabel_;
    CPortComboBox* combo_;
    QLabel* parameter_;
    QGroupBox* group_;
    QCheckBox* indicators_[4];
    QLabel* idleLabel_;
    QLineEdit* idle_;
    QLabel* host_;
    QPushButton* openClose_;
    QPushButton* reconnect_;
    QPushButton* apply_;
    QPushButton* cancel_;
};
