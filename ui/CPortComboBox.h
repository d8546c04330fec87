#pragma once
// A combo box that tells its owner just before its list opens, so that the
// owner can fill it with what is true at that moment (the PC's serial ports).

#include <QComboBox>
#include <functional>

class CPortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CPortComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

    void SetBeforePopup(std::function<void()> beforePopup) { beforePopup_ = std::move(beforePopup); }
    void showPopup() override;

private:
    std::function<void()> beforePopup_;
};
