#pragma once
// The transfer journal window: a table of the records, newest first, with
// filters for channel, machine type, result and a date range, a search box,
// the whole record on double-click, and an export of what is shown to CSV.
// The rules are JournalViewModel's; records come from the journal's store.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "app/TransferRecord.h"
#include "ui/models/JournalViewModel.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

class CJournalDlg : public QDialog {
    Q_OBJECT
public:
    // Reads the records; false with the reason when nothing could be read,
    // `note` set when they came from a second choice (the local file).
    using Reader = std::function<bool(std::vector<TransferRecord>& records, std::string& note, std::string& error)>;

    CJournalDlg(int language, Reader reader, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    const JournalViewModel& Model() const { return model_; }
    // Reads the records again and shows them through the filter.
    void Reload();
    // Writes the shown records as CSV to `path`; false with the reason in `error`.
    bool ExportTo(const QString& path, QString& error) const;

private:
    void ApplyFilter();
    void FillFilterLists();
    void ShowRecord(int row);
    void ExportAsked();

    JournalViewModel model_;
    Reader reader_;
    QComboBox* channel_;
    QComboBox* type_;
    QComboBox* result_;
    QCheckBox* useFrom_;
    QDateEdit* from_;
    QCheckBox* useTo_;
    QDateEdit* to_;
    QLineEdit* search_;
    QTableWidget* table_;
    QLabel* summary_;
    QString readNote_;   // the store's error, or where the records came from instead
};
