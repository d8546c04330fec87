#pragma once
// The program page: connect or disconnect a machine, start a program download,
// upload or system program download, stop a running job, and watch the
// progress. The page only sends window messages to the main window; the jobs
// drive its progress bars, time label and status line.

#include <QWidget>
#include <functional>

#include "ui/models/ProgramPageModel.h"

class C_Static;
class QLabel;
struct TransferFigures;
class QProgressBar;
class QPushButton;
class Terminal;

class CTabDlg0 : public QWidget {
    Q_OBJECT
public:
    // Sends a window message to the main window and returns its result.
    using SendMessageFn = std::function<intptr_t(uint32_t message, uint32_t wParam, uint32_t lParam)>;

    // Control ids of the page.
    static constexpr int kConnect = 1003;
    static constexpr int kStatusLine = 1004;
    static constexpr int kCancel = 1008;
    static constexpr int kUpload = 1049;
    static constexpr int kDownload = 1050;
    static constexpr int kSystemDownload = 1052;
    static constexpr int kUpperBar = 1072;
    static constexpr int kLowerBar = 1074;
    static constexpr int kTimeLabel = 1091;

    CTabDlg0(Terminal& terminal, SendMessageFn send, QWidget* parent = nullptr);

    // Captions, status line and enabled states from the link state.
    void Refresh();
    // Captions in the current language.
    void Relabel() { Refresh(); }

    void SetUpperProgress(int position, int range);
    void SetLowerProgress(int position, int range);
    void SetTimeText(const QString& text);
    // The live figures of the running transfer, under the time label.
    void SetFigures(const TransferFigures& figures);

    // The page's last view of its controls (what Refresh applied).
    const ProgramPageView& View() const { return view_; }

    QPushButton* ConnectButton() const { return connect_; }
    QPushButton* DownloadButton() const { return download_; }
    QPushButton* UploadButton() const { return upload_; }
    QPushButton* SystemDownloadButton() const { return system_; }
    QPushButton* CancelButton() const { return cancel_; }
    QProgressBar* UpperBar() const { return upper_; }
    QProgressBar* LowerBar() const { return lower_; }
    C_Static* TimeLabel() const { return time_; }
    QLabel* FiguresLabel() const { return figures_; }
    C_Static* StatusLine() const { return status_; }

    // The button commands, also reached by F2, F3, F4, Alt+S and Ctrl+C.
    void OnConnect();
    void OnDownload();
    void OnUpload();
    void OnSystemDownload();
    void OnCancel();

private:
    // Each command starts a new numbered entry in the status window first.
    void StartEntry();
    ProgramPageInput Input() const;

    Terminal& terminal_;
    SendMessageFn send_;
    ProgramPageView view_;

    QPushButton* connect_;
    QPushButton* download_;
    QPushButton* upload_;
    QPushButton* system_;
    QPushButton* cancel_;
    QProgressBar* upper_;
    QProgressBar* lower_;
    C_Static* time_;
    QLabel* figures_;
    C_Static* status_;
};
