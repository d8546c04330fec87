#include "ui/CPortComboBox.h"

void CPortComboBox::showPopup() {
    if (beforePopup_) beforePopup_();
    QComboBox::showPopup();
}
