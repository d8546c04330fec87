#pragma once
// The small dialog that asks the string list editor what to look for: the
// text, whether case matters, and whether a cell may merely contain it.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"
#include "ui/models/MultiLanguageListModel.h"

class QCheckBox;
class QLineEdit;

class CFindStringDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;

    static constexpr int kText = 1100;
    static constexpr int kCaseSensitive = 1101;
    static constexpr int kContains = 1102;

    // Shows `settings`; after OK, Settings() holds what the user chose.
    CFindStringDlg(const MultiLanguageListModel::FindSettings& settings, const TextOf& text,
                   QWidget* parent = nullptr);

    MultiLanguageListModel::FindSettings Settings() const;

    QLineEdit* TextEdit() const { return edit_; }
    QCheckBox* CaseSensitiveBox() const { return caseSensitive_; }
    QCheckBox* ContainsBox() const { return contains_; }

private:
    QLineEdit* edit_;
    QCheckBox* caseSensitive_;
    QCheckBox* contains_;
};
