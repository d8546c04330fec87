#pragma once
// The modeless progress of a sub module scan: 36 one-second ticks of its own
// and a Stop button that cancels the scan. The scan job opens and closes it.

#include <QDialog>
#include <QTimer>
#include <functional>

class QProgressBar;
class QPushButton;

class CScan_SubModulesDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTicks = 36;

    // `stop` runs when the operator presses Stop (it sends the cancel message).
    CScan_SubModulesDlg(const QString& title, const QString& stopCaption, std::function<void()> stop,
                        QWidget* parent = nullptr);

    QProgressBar* Bar() const { return bar_; }
    QPushButton* StopButton() const { return stopButton_; }
    int TickCount() const { return ticks_; }
    bool IsTicking() const { return timer_.isActive(); }

    // One second of the scan (the dialog's timer calls it).
    void Tick();

protected:
    void reject() override;

private:
    void OnStop();

    std::function<void()> stop_;
    QProgressBar* bar_;
    QPushButton* stopButton_;
    QTimer timer_;
    int ticks_ = 0;
};
