#include "ui/C_Static.h"

C_Static::C_Static(QWidget* parent) : QLabel(parent) {}

void C_Static::ApplyColors() {
    setAutoFillBackground(HasBackgroundColor());
    setPalette(ColoredPalette(this, QPalette::WindowText, QPalette::Window));
    update();
}
