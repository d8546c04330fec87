#pragma once
// The ZID file name conversion dialog: the files of a work folder next to the
// names that its "PAT.DIR" gives them; renames or copies them to those names,
// all identified files or the selected ones. The rules live in
// ZidConversionModel; this dialog shows them.

#include <QDialog>
#include <functional>

#include "ui/models/ZidConversionModel.h"

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

class CZidFileNameConvertDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = ZidConversionModel::TextOf;
    // The folder chooser: title, start folder; an empty result is no choice.
    using PickFolderFn = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

    static constexpr int kWorkFolderLabel = 1114;
    static constexpr int kWorkFolder = 1115;
    static constexpr int kChangeFolder = 1056;
    static constexpr int kProgress = 1119;
    static constexpr int kList = 1077;
    static constexpr int kRefresh = 1063;
    static constexpr int kConvertAll = 1065;
    static constexpr int kConvertSelected = 1066;
    static constexpr int kTypeGroup = 1118;
    static constexpr int kRename = 1116;
    static constexpr int kCopy = 1117;

    // `workFolder`: the current channel's NCD folder.
    CZidFileNameConvertDlg(const std::string& workFolder, TextOf text, QWidget* parent = nullptr);

    PickFolderFn PickFolder;

    ZidConversionModel& Model() { return model_; }
    QTableWidget* List() const { return list_; }
    QPushButton* ConvertAllButton() const { return convertAll_; }
    QPushButton* ConvertSelectedButton() const { return convertSelected_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QRadioButton* CopyButton() const { return copy_; }
    QLabel* FolderLabel() const { return folder_; }

    void OnRefresh();
    void OnChangeFolder();
    void OnConvert(bool all);

private:
    void SetTypeCaptions();
    void FillList();
    void ShowRemarks();
    void UpdateButtons();
    std::vector<int> SelectedLines() const;

    ZidConversionModel model_;
    TextOf text_;
    QLabel* folder_;
    QPushButton* changeFolder_;
    QProgressBar* progress_;
    QTableWidget* list_;
    QPushButton* exit_;
    QPushButton* refresh_;
    QPushButton* convertAll_;
    QPushButton* convertSelected_;
    QRadioButton* rename_;
    QRadioButton* copy_;
};
