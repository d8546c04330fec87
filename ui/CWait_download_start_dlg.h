#pragma once
// The small modeless dialog a download shows while it waits for the machine's
// start signal. "Start downloading" starts the transfer by hand, "Cancel
// download" (also Esc and the close box) cancels the download. It never
// closes itself: the download job closes it whichever way it stops waiting.

#include <QDialog>
#include <functional>

class QPushButton;

class CWait_download_start_dlg : public QDialog {
    Q_OBJECT
public:
    // `start` and `cancel` send their window messages to the main window.
    CWait_download_start_dlg(const QString& title, const QString& startCaption, const QString& cancelCaption,
                             std::function<void()> start, std::function<void()> cancel,
                             QWidget* parent = nullptr);

    QPushButton* StartButton() const { return startButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

protected:
    void reject() override;

private:
    // One answer is enough: the buttons wait for the job to close the dialog.
    void Answer(const std::function<void()>& send);

    std::function<void()> start_;
    std::function<void()> cancel_;
    QPushButton* startButton_;
    QPushButton* cancelButton_;
};
