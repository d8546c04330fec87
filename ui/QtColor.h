#pragma once
// Stored colours (red in the low byte) to and from QColor.

#include <QColor>

#include "ui/models/ColorRef.h"

namespace QtColor {
inline QColor FromRef(int color) { return QColor(ColorRef::Red(color), ColorRef::Green(color), ColorRef::Blue(color)); }
inline int ToRef(const QColor& color) { return ColorRef::Make(color.red(), color.green(), color.blue()); }
}  // namespace QtColor
